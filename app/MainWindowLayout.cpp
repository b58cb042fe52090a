#include "app/TFrmMain.h"

#include "app/HintLine.h"
#include "app/NamedControls.h"
#include "editing/ImageControl.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tiv {

namespace {

const QColor kPanelColour(245, 250, 254);
const QColor kAnnouncementColour(245, 254, 250);
const QColor kListColour(249, 255, 255);

QFrame *panel(QWidget *parent, const char *name, const QColor &colour = kPanelColour)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setAutoFillBackground(true);
    QPalette p = frame->palette();
    p.setColor(QPalette::Window, colour);
    frame->setPalette(p);
    return frame;
}

QFrame *fixedHeight(QFrame *f, int h)
{
    f->setFixedHeight(h);
    return f;
}

QFrame *fixedWidth(QFrame *f, int w)
{
    f->setFixedWidth(w);
    return f;
}

}  // namespace

void TFrmMain::buildLayout()
{
    setObjectName(QStringLiteral("FrmMain"));
    setGeometry(31, 19, 786, 643);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    QFont interfaceFont(QStringLiteral("黑体"));
    interfaceFont.setPixelSize(13);
    setFont(interfaceFont);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    PnlTop = fixedHeight(panel(this, "PnlTop"), 15);
    PnlBottom = fixedHeight(panel(this, "PnlBottom"), 11);
    auto *middle = new QHBoxLayout;
    middle->setSpacing(0);
    ImgLeft = fixedWidth(panel(this, "ImgLeft"), 10);
    ImgRight = fixedWidth(panel(this, "ImgRight"), 14);
    SbMain = new QWidget(this);
    SbMain->setObjectName(QStringLiteral("SbMain"));
    middle->addWidget(ImgLeft);
    middle->addWidget(SbMain, 1);
    middle->addWidget(ImgRight);
    outer->addWidget(PnlTop);
    outer->addLayout(middle, 1);
    outer->addWidget(PnlBottom);

    auto *main = new QVBoxLayout(SbMain);
    main->setContentsMargins(0, 0, 0, 0);
    main->setSpacing(0);

    SbAvert = fixedHeight(panel(SbMain, "SbAvert", kAnnouncementColour), 62);
    Image48 = new QLabel(SbAvert);
    Image48->setObjectName(QStringLiteral("Image48"));
    Image48->setGeometry(0, 0, 1925, 62);
    WebBrowserTop = new QWidget(SbAvert);
    WebBrowserTop->setObjectName(QStringLiteral("WebBrowserTop"));
    WebBrowserTop->setGeometry(0, 0, 400, 60);
    main->addWidget(SbAvert);

    SbPicName = fixedHeight(panel(SbMain, "SbPicName"), 67);
    auto *rows = new QVBoxLayout(SbPicName);
    rows->setContentsMargins(4, 2, 4, 2);
    rows->setSpacing(2);
    auto *pathRow = new QWidget(SbPicName);
    auto *toolRow = new QWidget(SbPicName);
    buildPathRow(pathRow);
    buildToolRow(toolRow);
    // The rows clip on a narrow window instead of forcing it wider than the screen.
    pathRow->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    toolRow->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    rows->addWidget(pathRow);
    rows->addWidget(toolRow);
    main->addWidget(SbPicName);
    SplitterTop = fixedHeight(panel(SbMain, "SplitterTop"), 6);
    main->addWidget(SplitterTop);

    auto *work = new QHBoxLayout;
    work->setSpacing(0);
    SbLeft = fixedWidth(panel(SbMain, "SbLeft"), 289);
    auto *left = new QHBoxLayout(SbLeft);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(0);
    SbToollBar = fixedWidth(panel(SbLeft, "SbToollBar"), 145);
    buildSideToolbar(SbToollBar);
    BitmapListBox = new QListView(SbLeft);
    BitmapListBox->setObjectName(QStringLiteral("BitmapListBox"));
    BitmapListBox->setSelectionMode(QAbstractItemView::ExtendedSelection);
    BitmapListBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
    BitmapListBox->setUniformItemSizes(true);
    BitmapListModel = new QStringListModel(BitmapListBox);
    BitmapListBox->setModel(BitmapListModel);
    QPalette lp = BitmapListBox->palette();
    lp.setColor(QPalette::Base, kListColour);
    BitmapListBox->setPalette(lp);
    left->addWidget(SbToollBar);
    left->addWidget(BitmapListBox, 1);
    Splitter3 = fixedWidth(panel(SbMain, "Splitter3"), 6);
    work->addWidget(SbLeft);
    work->addWidget(Splitter3);

    SBDisplay = panel(SbMain, "SBDisplay", Qt::white);
    auto *display = new QGridLayout(SBDisplay);
    display->setContentsMargins(0, 0, 0, 0);
    PnlPic = new QScrollArea(SBDisplay);
    PnlPic->setObjectName(QStringLiteral("PnlPic"));
    PnlPic->setWidgetResizable(false);
    PnlPic->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PnlPicContent = new QWidget;
    ImgMain = new ImageControl(PnlPicContent);
    ImgMain->setObjectName(QStringLiteral("ImgMain"));
    ImgMain->move(0, 0);
    MemoText = new QPlainTextEdit(PnlPicContent);
    MemoText->setObjectName(QStringLiteral("MemoText"));
    MemoText->setGeometry(72, 263, 185, 74);
    MemoText->hide();
    PnlPic->setWidget(PnlPicContent);
    WebBrowser1 = new QWidget(SBDisplay);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->setAutoFillBackground(true);
    QPalette wp = WebBrowser1->palette();
    wp.setColor(QPalette::Window, Qt::white);
    WebBrowser1->setPalette(wp);
    display->addWidget(PnlPic, 0, 0);
    display->addWidget(WebBrowser1, 0, 0);
    WebBrowser1->raise();
    PnlAutoSave = panel(SBDisplay, "PnlAutoSave");
    EdtAutoSavePre = new QLineEdit(PnlAutoSave);
    EdtAutoSavePre->setObjectName(QStringLiteral("EdtAutoSavePre"));
    EdtAutoSavePre->setToolTip(QStringLiteral("自动保存的增量前缀，格式是[增量前缀+增量号]"));
    PnlAutoSave->hide();
    PnSavePic = panel(SBDisplay, "PnSavePic");
    EdtPicName = new QLineEdit(PnSavePic);
    EdtPicName->setObjectName(QStringLiteral("EdtPicName"));
    BtnSPSaveImg = NamedButton(PnSavePic, "BtnSPSaveImg");
    work->addWidget(SBDisplay, 1);
    main->addLayout(work, 1);

    PnlHint = new HintLine(SbMain);
    PnlHint->setObjectName(QStringLiteral("PnlHint"));
    // File names, prefixes and page texts land here: they are shown as typed, never as markup.
    PnlHint->setTextFormat(Qt::PlainText);
    PnlHint->setFixedHeight(28);
    QFont hintFont(QStringLiteral("宋体"));
    hintFont.setPixelSize(15);
    PnlHint->setFont(hintFont);
    PnlHint->setStyleSheet(QStringLiteral("color: red; background: rgb(245,250,254);"));
    auto *hintRow = new QHBoxLayout(PnlHint);
    hintRow->setContentsMargins(0, 0, 8, 0);
    hintRow->addStretch(1);
    // The rolling links place themselves inside their panels (panels/); a panel shows only while
    // its link has a caption, and takes room from the hint only then.
    Panel12 = new QWidget(PnlHint);
    Panel12->setObjectName(QStringLiteral("Panel12"));
    Panel12->setFixedWidth(170);
    Panel11 = new QWidget(PnlHint);
    Panel11->setObjectName(QStringLiteral("Panel11"));
    Panel11->setFixedWidth(170);
    LbRollers2 = new QLabel(Panel12);
    LbRollers2->setObjectName(QStringLiteral("LbRollers2"));
    LbRollers2->setTextFormat(Qt::PlainText);
    LbRollers = new QLabel(Panel11);
    LbRollers->setObjectName(QStringLiteral("LbRollers"));
    LbRollers->setTextFormat(Qt::PlainText);
    hintRow->addWidget(Panel12);
    hintRow->addWidget(Panel11);
    Panel12->hide();
    Panel11->hide();
    // How the desktop's own keys are made to capture, where it lets no program hold keys: a line
    // of its own above the hint line, so that the save messages there leave it standing while
    // capture mode lasts; its commands can be selected and copied.
    LbBindingHint = new QLabel(SbMain);
    LbBindingHint->setObjectName(QStringLiteral("LbBindingHint"));
    LbBindingHint->setTextFormat(Qt::PlainText);
    LbBindingHint->setWordWrap(true);
    LbBindingHint->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LbBindingHint->setFont(hintFont);
    LbBindingHint->setStyleSheet(QStringLiteral("color: rgb(0, 60, 150); background: rgb(245,250,254); padding: 3px;"));
    LbBindingHint->hide();
    main->addWidget(LbBindingHint);
    main->addWidget(PnlHint);

    buildMoreFunctionsMenu();
}

void TFrmMain::buildPathRow(QWidget *row)
{
    auto *l = new QHBoxLayout(row);
    l->setContentsMargins(0, 0, 0, 0);
    BtnOpenDir = NamedButton(row, "BtnOpenDir", "打开所在文件夹");
    BtnSelectPath = NamedButton(row, "BtnSelectPath", "选择路径");
    CbPicFomat = new QComboBox(row);
    CbPicFomat->setObjectName(QStringLiteral("CbPicFomat"));
    CbPicFomat->setEditable(true);
    CbPicFomat->addItems({QStringLiteral(".jpg"), QStringLiteral(".bmp"), QStringLiteral(".jpeg"),
                          QStringLiteral(".ico"), QStringLiteral(".emf"), QStringLiteral(".wmf"),
                          QStringLiteral(".png")});
    CbPicFomat->setToolTip(QStringLiteral("图片列表中只显示选定图片格式的图片"));
    // What is typed stays a typed text: it never becomes an entry, and it leaves no entry selected,
    // so a save cannot use a format the box no longer shows.
    CbPicFomat->setInsertPolicy(QComboBox::NoInsert);
    CbPicFomat->setCompleter(nullptr);
    connect(CbPicFomat->lineEdit(), &QLineEdit::textEdited, CbPicFomat, [this](const QString &text) {
        QLineEdit *edit = CbPicFomat->lineEdit();
        const int cursor = edit->cursorPosition();
        const QSignalBlocker quiet(CbPicFomat);
        CbPicFomat->setCurrentIndex(-1);
        edit->setText(text);
        edit->setCursorPosition(cursor);
    });
    EdtPicPath = new QLineEdit(row);
    EdtPicPath->setObjectName(QStringLiteral("EdtPicPath"));
    EdtPicPath->setToolTip(QStringLiteral("图片列表为此路径下的图片"));
    l->addWidget(BtnOpenDir);
    l->addWidget(BtnSelectPath);
    l->addWidget(CbPicFomat);
    l->addWidget(EdtPicPath, 1);
}

void TFrmMain::buildToolRow(QWidget *row)
{
    auto *l = new QHBoxLayout(row);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(2);
    const struct {
        QPushButton **target;
        const char *name;
        const char *caption;
    } tools[] = {
        {&BtnAddText, "BtnAddText", "文字"},          {&BtnFontSet, "BtnFontSet", "字体"},
        {&BtnAddLine, "BtnAddLine", "直线"},          {&BtnAddSingleArrow, "BtnAddSingleArrow", "箭头"},
        {&BtnAddDoubleArrow, "BtnAddDoubleArrow", "双箭头"}, {&BtnAddCircle, "BtnAddCircle", "圆形"},
        {&BtnAddRoundRec, "BtnAddRoundRec", "圆角矩形"}, {&BtnAddRECT, "BtnAddRECT", "长方形"},
        {&BtnSetPicParam, "BtnSetPicParam", "尺寸"},  {&BtnReurnPic, "BtnReurnPic", "后退"},
        {&BtnBackupFore, "BtnBackupFore", "前进"},    {&BtnZoomIn, "BtnZoomIn", "放大"},
        {&BtnZoomout, "BtnZoomout", "缩小"},          {&BtnZoom, "BtnZoom", "实际大小"},
        {&BtnFileScreen, "BtnFileScreen", "最佳合适"}, {&BtnSavePic, "BtnSavePic", "保存"},
        {&BtnWatermarkSet, "BtnWatermarkSet", "水印设置"},
    };
    for (const auto &t : tools) {
        *t.target = NamedButton(row, t.name, t.caption);
        l->addWidget(*t.target);
    }
    l->addStretch(1);
}

void TFrmMain::buildSideToolbar(QWidget *bar)
{
    auto *l = new QVBoxLayout(bar);
    l->setContentsMargins(10, 8, 10, 8);
    l->setSpacing(6);
    BtnContinueCut2 = NamedButton(bar, "BtnContinueCut2", "连续截图");
    BtnContinueCut2->setCheckable(true);
    BtnMouseAreatPIC = NamedButton(bar, "BtnMouseAreatPIC", "鼠标局部截屏");
    BtnOtherFun = NamedButton(bar, "BtnOtherFun", "其他功能");
    BtnHelp = NamedButton(bar, "BtnHelp", "帮助文档");
    BtnAbout = NamedButton(bar, "BtnAbout", "关于...");
    BtnExit = NamedButton(bar, "BtnExit", "退出");
    for (QPushButton *b : {BtnContinueCut2, BtnMouseAreatPIC, BtnOtherFun, BtnHelp, BtnAbout, BtnExit})
        l->addWidget(b);
    l->addStretch(1);

    // Buttons that the design keeps but nothing shows; they share the handlers of visible commands.
    BtnFullScreenCut = NamedButton(bar, "BtnFullScreenCut", "全屏幕截图", false);
    BtnUDCutScreen = NamedButton(bar, "BtnUDCutScreen", "自定义截屏", false);
    BtnWindowsCut = NamedButton(bar, "BtnWindowsCut", "", false);
    SpeedButton15 = NamedButton(bar, "SpeedButton15", "", false);
    SpeedButton16 = NamedButton(bar, "SpeedButton16", "", false);
    BtnPicFullScreen = NamedButton(bar, "BtnPicFullScreen", "图片全屏显示", false);
    BtnSaveToClipboard = NamedButton(bar, "BtnSaveToClipboard", "图片保存到剪贴板", false);
    BtnSaveToCB22 = NamedButton(bar, "BtnSaveToCB22", "自动保存到剪贴板", false);
    BtnAutoSaveToPath111 = NamedButton(bar, "BtnAutoSaveToPath111", "自动保存到文件夹", false);
    BtnAddWatermark = NamedButton(bar, "BtnAddWatermark", "加入水印", false);
    BtnPicSaveAs = NamedButton(bar, "BtnPicSaveAs", "把图片另存为", false);
    BtnOpenAPic = NamedButton(bar, "BtnOpenAPic", "打开图片", false);
    BtnDeletePic = NamedButton(bar, "BtnDeletePic", "删除图片", false);
    BtnRenamePic = NamedButton(bar, "BtnRenamePic", "图片重命名", false);
    BtnOpenByPaintB = NamedButton(bar, "BtnOpenByPaintB", "在画图中打开", false);
    BtnSetHotkey = NamedButton(bar, "BtnSetHotkey", "热键设置", false);
    SpeedButton3 = NamedButton(bar, "SpeedButton3", "", false);
}

void TFrmMain::buildMoreFunctionsMenu()
{
    MnOtherFunButton = NamedMenu(this, "MnOtherFunButton");
    N23 = NamedMenuItem(MnOtherFunButton, "N23", "加入水印");
    N22 = NamedMenuItem(MnOtherFunButton, "N22", "水印设置");
    N2 = NamedMenuItem(MnOtherFunButton, "N2", "全屏幕截屏");
    N20 = NamedMenuItem(MnOtherFunButton, "N20", "自定义截屏");
    N21 = MnOtherFunButton->addSeparator();
    MenuItem1 = NamedMenuItem(MnOtherFunButton, "MenuItem1", "图片另存为");
    N12 = NamedMenuItem(MnOtherFunButton, "N12", "删除图片");
    N13 = NamedMenuItem(MnOtherFunButton, "N13", "打开图片");
    N15 = NamedMenuItem(MnOtherFunButton, "N15", "图片重命名");
    N16 = NamedMenuItem(MnOtherFunButton, "N16", "在『画图』中打开");
    N17 = NamedMenuItem(MnOtherFunButton, "N17", "图片全屏显示");
    N18 = NamedMenuItem(MnOtherFunButton, "N18", "图片保存到剪贴板");
    N25 = MnOtherFunButton->addSeparator();
    BtnSaveToCB = NamedMenuItem(MnOtherFunButton, "BtnSaveToCB", "自动放入剪贴板", true);
    BtnAutoSaveToPath = NamedMenuItem(MnOtherFunButton, "BtnAutoSaveToPath", "自动保存到文件夹", true);
    BtnAutoSaveToPath->setVisible(false);
    BtnContinueCut = NamedMenuItem(MnOtherFunButton, "BtnContinueCut", "连续可控式截图", true);
    N19 = NamedMenuItem(MnOtherFunButton, "N19", "热键设置");
    MnOtherFunButton->setToolTipsVisible(true);
}

}  // namespace tiv
