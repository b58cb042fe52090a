// The main window's skin: caption, hints, the pictures that are the faces of its buttons, and the
// background pictures of the banner, the two rows and the two small panels.
#include "app/TFrmMain.h"

#include "common/BackdropImage.h"
#include "common/ButtonFace.h"
#include "common/ImageResources.h"
#include "text/InterfaceText.h"

namespace tiv {

void TFrmMain::buildSkinImages()
{
    ImgPicFormJ = new BackdropImage(BtnOpenDir->parentWidget(), QStringLiteral("ImgPicFormJ"));
    ImgFuntoolbar = new BackdropImage(BtnAddText->parentWidget(), QStringLiteral("ImgFuntoolbar"));
    // The tool row's buttons have no pictures of their own; narrow padding keeps every caption in
    // the row at the window's design width.
    ApplyDrawnFaces(BtnAddText->parentWidget(), 2);

    // The small panels' pictures carry the label and the frame the edit box sits in.
    ImgSPIncPre = new BackdropImage(PnlAutoSave, QStringLiteral("ImgSPIncPre"));
    PnlAutoSave->setFixedSize(162, 21);
    EdtAutoSavePre->setFrame(false);
    EdtAutoSavePre->setGeometry(61, 2, 99, 17);
    ImgSPPicName = new BackdropImage(PnSavePic, QStringLiteral("ImgSPPicName"));
    PnSavePic->setFixedSize(221, 25);
    ImgSPPicName->setScaledContents(false);
    ImgSPPicName->setFixedSize(161, 25);
    EdtPicName->setFrame(false);
    EdtPicName->setGeometry(61, 3, 98, 19);
    BtnSPSaveImg->move(165, 0);

    Image48->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // One modest size: the window manager is sent every size the icon holds, at every start.
    setWindowIcon(QIcon(QStringLiteral(":/icons/hicolor/48x48/apps/tivrevudu.png")));
}

void TFrmMain::ApplyMainSkin()
{
    setWindowTitle(FormatText(QStringLiteral("%s%s"), {TxtAppTitle, QStringLiteral("2.2")}));
    const struct {
        QWidget *control;
        QAction *item;
        const QString &hint;
    } hints[] = {
        {nullptr, BtnContinueCut, TxtContinuousCapture}, {nullptr, BtnSaveToCB, TxtAutoToClipboard},
        {nullptr, BtnAutoSaveToPath, TxtAutoSaveToFolder}, {BtnAddText, nullptr, TxtAddText},
        {BtnFontSet, nullptr, TxtSetFont},                {BtnAddLine, nullptr, TxtAddLine},
        {BtnAddSingleArrow, nullptr, TxtAddSingleArrow},  {BtnAddDoubleArrow, nullptr, TxtAddDoubleArrow},
        {BtnAddCircle, nullptr, TxtAddCircle},            {BtnAddRoundRec, nullptr, TxtAddRoundRect},
        {BtnAddRECT, nullptr, TxtAddRectangle},           {BtnSetPicParam, nullptr, TxtSetPictureSize},
        {BtnReurnPic, nullptr, TxtRestorePrevious},       {BtnBackupFore, nullptr, TxtRestoreNext},
        {BtnZoomIn, nullptr, TxtZoomIn},                  {BtnZoomout, nullptr, TxtZoomOut},
        {BtnZoom, nullptr, TxtActualSize},                {BtnFileScreen, nullptr, TxtBestFit},
        {BitmapListBox, nullptr, TxtRightClickHint},
    };
    for (const auto &h : hints) {
        if (h.control)
            h.control->setToolTip(h.hint);
        else
            h.item->setToolTip(h.hint);
    }

    // The label drawn on each face is also its accessible name, for screen readers and for
    // finding the button when its picture is missing.
    const struct {
        QPushButton *button;
        const char *resource;
        int width;
        const char *label;
    } faces[] = {
        {BtnMouseAreatPIC, "BtnMouseAreatPIC", 122, "鼠标局部截屏"},
        {BtnFullScreenCut, "BtnFullScreenCut", 123, "全屏幕截图"},
        {BtnUDCutScreen, "BtnUDCutScreen", 122, "自定义截屏"},
        {BtnAddWatermark, "BtnAddWatermark", 122, "加入水印"},
        {BtnPicSaveAs, "BtnPicSaveAs", 122, "图片另存为"},
        {BtnOpenAPic, "BtnOpenAPic", 123, "打开图片"},
        {BtnDeletePic, "BtnDeletePic", 124, "删除图片"},
        {BtnRenamePic, "BtnRenamePic", 124, "图片重命名"},
        {BtnOpenByPaintB, "BtnOpenByPaintB", 124, "在画图中打开"},
        {BtnPicFullScreen, "BtnPicFullScreen", 122, "图片全屏显示"},
        {BtnSaveToClipboard, "BtnSaveToClipboard", 122, "保存到剪贴板"},
        {BtnSetHotkey, "BtnSetHotkey", 122, "热键设置"},
        {BtnHelp, "BtnHelp", 122, "帮助文档"},
        {BtnAbout, "BtnAbout", 122, "关于..."},
        {BtnExit, "BtnExit", 122, "退出"},
        {BtnOpenDir, "opendir", 122, "打开所在文件夹"},
        {BtnSelectPath, "selectpath", 87, "选择路径"},
        {BtnSPSaveImg, "BtnSPSaveImg", 56, "保存"},
        {BtnOtherFun, "BtnOtherFun", 122, "其他功能"},
    };
    // Each keeps its place in the row while its picture is missing.
    for (const auto &f : faces) {
        ApplyButtonFace(f.button, QString::fromLatin1(f.resource), QString::fromUtf8(f.label), MissingFace::Blank);
        f.button->setFixedSize(f.width, 25);
    }
    // Its picture follows continuous capture; ShowContinuousGlyph gives it.
    ApplyButtonFace(BtnContinueCut2, QString(), QStringLiteral("连续截图"), MissingFace::Blank);
    BtnContinueCut2->setFixedSize(87, 19);
    BtnContinueCut2->setIconSize(BtnContinueCut2->size());

    const struct {
        QLabel *image;
        const char *resource;
    } backgrounds[] = {
        {Image48, "topavert"},     {ImgPicFormJ, "ImgPicFormJ"}, {ImgFuntoolbar, "ImgFuntoolbar"},
        {ImgSPPicName, "ImgSPPicName"}, {ImgSPIncPre, "ImgSPIncPre"},
    };
    for (const auto &b : backgrounds) {
        QPixmap picture = b.image->pixmap();
        LoadJpgResource(picture, QString::fromLatin1(b.resource));
        b.image->setPixmap(picture);
    }
}

}  // namespace tiv
