#include "capture/TFrmToolBar.h"

#include "app/TFrmMain.h"
#include "common/ButtonFace.h"
#include "common/CatchAll.h"
#include "common/HandlerWiring.h"
#include "editing/ImageControl.h"
#include "text/InterfaceText.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

namespace tiv {

TFrmToolBar::TFrmToolBar(TFrmMain &main) : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint), main_(&main)
{
    setObjectName(QStringLiteral("FrmToolBar"));
    // The program ends with its main window, whether or not this one is still open.
    setAttribute(Qt::WA_QuitOnClose, false);
    // Given back to the window manager after each capture of a continuous run, it must not take
    // the keys from the program they were just given back to.
    setAttribute(Qt::WA_ShowWithoutActivating, true);
    setFixedSize(332, 185);
    move(95, 233);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(245, 250, 254));
    setPalette(palette);
    buildLayout();
    wire();
    FormCreate();
}

void TFrmToolBar::buildLayout()
{
    GpSPPreview = new QGroupBox(this);
    GpSPPreview->setGeometry(8, 4, 102, 108);
    ImgPreView = new ImageControl(GpSPPreview);
    ImgPreView->setObjectName(QStringLiteral("ImgPreView"));
    ImgPreView->setStretch(true);
    ImgPreView->setToolTip(QStringLiteral("鼠标双击可打开图片"));
    auto *previewBox = new QVBoxLayout(GpSPPreview);
    previewBox->setContentsMargins(2, 2, 2, 2);
    previewBox->addWidget(ImgPreView);
    BtnZoom = new QPushButton(GpSPPreview);
    BtnZoom->setObjectName(QStringLiteral("BtnZoom"));
    BtnZoom->setToolTip(QStringLiteral("图片恢复到实际大小"));
    BtnZoom->hide();
    BtnFileScreen = new QPushButton(GpSPPreview);
    BtnFileScreen->setObjectName(QStringLiteral("BtnFileScreen"));
    BtnFileScreen->setToolTip(QStringLiteral("图片最佳合适"));
    BtnFileScreen->hide();

    PnlButton = new QWidget(this);
    PnlButton->setGeometry(118, 9, 202, 103);
    GroupBox1 = new QGroupBox(QStringLiteral("图片列表"), PnlButton);
    GroupBox1->setGeometry(0, 0, 73, 103);
    LbImgs = new QListWidget(GroupBox1);
    LbImgs->setObjectName(QStringLiteral("LbImgs"));
    LbImgs->setFrameShape(QFrame::NoFrame);
    auto *listBox = new QVBoxLayout(GroupBox1);
    listBox->setContentsMargins(1, 1, 1, 1);
    listBox->addWidget(LbImgs);
    const auto button = [this](const char *name, int top, int height) {
        auto *b = new QPushButton(PnlButton);
        b->setObjectName(QString::fromLatin1(name));
        b->setFlat(true);
        b->setGeometry(78, top, 122, height);
        return b;
    };
    BtnSpMouseCutScreen = button("BtnSpMouseCutScreen", 3, 25);
    BtnSPFullScreenC = button("BtnSPFullScreenC", 29, 26);
    BtnSpExistMainWin = button("BtnSpExistMainWin", 56, 26);

    PnlHint = new QWidget(this);
    PnlHint->setGeometry(8, 116, 316, 64);
    LblHint = new QLabel(PnlHint);
    LblHint->setObjectName(QStringLiteral("LblHint"));
    LblHint->setTextFormat(Qt::PlainText);
    LblHint->setAlignment(Qt::AlignCenter);
    LblHint->setWordWrap(true);
    LblHint->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0)"));
    LblHint->setGeometry(PnlHint->rect());
}

void TFrmToolBar::wire()
{
    const auto on = [this](QObject *control, void (TFrmToolBar::*handler)()) { WireHandler(this, control, handler); };
    on(BtnSpMouseCutScreen, &TFrmToolBar::BtnMouseScreenCutClick);
    on(BtnSPFullScreenC, &TFrmToolBar::BtnFullScreenClick);
    on(BtnSpExistMainWin, &TFrmToolBar::BtnCloseClick);
    on(BtnZoom, &TFrmToolBar::BtnZoomClick);
    on(BtnFileScreen, &TFrmToolBar::BtnFileScreenClick);
    connect(LbImgs, &QListWidget::itemClicked, this, [this] { CatchAll([&] { LbImgsClick(); }); });
    connect(LbImgs, &QListWidget::itemDoubleClicked, this, [this] { CatchAll([&] { ImgPreViewClick(); }); });
    // Only a double-click opens the preview, as its hint says; a single click is no command.
    ImgPreView->installEventFilter(this);
    LbImgs->installEventFilter(this);
}

void TFrmToolBar::FormCreate()
{
    setWindowTitle(TxtAppTitle + QStringLiteral("2.2"));
    GpSPPreview->setTitle(TxtPicturePreview);
    ApplyButtonFace(BtnSpMouseCutScreen, QStringLiteral("BtnSpMouseCutScreen"), QStringLiteral("鼠标局部截屏"));
    ApplyButtonFace(BtnSPFullScreenC, QStringLiteral("BtnSPFullScreenC"), QStringLiteral("全屏幕截屏"));
    ApplyButtonFace(BtnSpExistMainWin, QStringLiteral("BtnSpExistMainWin"), QStringLiteral("返回主窗口"));
}

void TFrmToolBar::ShowSavedPicture(const QString &path, const CanvasPicture &picture)
{
    CatchAll([&] {
        auto *entry = new QListWidgetItem(QFileInfo(path).fileName(), LbImgs);
        // The entry keeps where its picture was saved; the picture folder may change later.
        entry->setData(Qt::UserRole, path);
        LblHint->setText(FormatText(TxtAutoSavedAs, {path}));
        // Shared with the canvas, not read back from the file: reading it would cost more than
        // the save itself.
        preview(picture, path);
    });
}

void TFrmToolBar::BtnMouseScreenCutClick()
{
    CatchAll([&] {
        hide();
        if (main_)
            main_->StartRegionCapture();
        show();
        if (main_)
            main_->KeepToolbarAbove();
        LblHint->setText(TxtRegionCaptureHelp);
    });
    keepOnTop();
}

void TFrmToolBar::BtnFullScreenClick()
{
    // The toolbar stays up, so it is part of the picture.
    if (main_)
        main_->CaptureFullScreen(this);
}

void TFrmToolBar::BtnCloseClick()
{
    LeaveOnClose = true;
    if (main_ && !main_->Ending())
        main_->UnregisterCaptureHotkeys();
    close();
}

void TFrmToolBar::FormCloseQuery()
{
    // While the program ends, the main window is on its way out and must not be shown again.
    if (LeaveOnClose && main_ && !main_->Ending())
        main_->LeaveCaptureMode();
}

void TFrmToolBar::LbImgsClick()
{
    const QString path = selectedPath();
    if (!path.isEmpty())
        previewFile(path);
}

void TFrmToolBar::ImgPreViewClick()
{
    if (!previewedPath_.isEmpty() && main_)
        main_->ShellOpenTarget(previewedPath_);
}

void TFrmToolBar::BtnZoomClick()
{
    ImgPreView->setStretch(false);
}

void TFrmToolBar::BtnFileScreenClick()
{
    ImgPreView->setStretch(true);
}

void TFrmToolBar::closeEvent(QCloseEvent *event)
{
    CatchAll([&] { FormCloseQuery(); });
    event->accept();
}

bool TFrmToolBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ImgPreView && event->type() == QEvent::MouseButtonDblClick
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        CatchAll([&] { ImgPreViewClick(); });
    // Stepping through the list with the keys shows each entry, as clicking it does, so the
    // preview never opens another picture than the one the list points at.
    if (watched == LbImgs && event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Home || key == Qt::Key_End
            || key == Qt::Key_PageUp || key == Qt::Key_PageDown)
            CatchAll([&] { LbImgsClick(); });
    }
    return QWidget::eventFilter(watched, event);
}

QString TFrmToolBar::selectedPath()
{
    if (LbImgs->count() == 0)
        return {};
    if (LbImgs->selectedItems().isEmpty())
        LbImgs->setCurrentRow(0);
    return LbImgs->selectedItems().first()->data(Qt::UserRole).toString();
}

void TFrmToolBar::previewFile(const QString &path)
{
    if (!main_)
        return;
    const QRect box = ImgPreView->geometry();
    main_->LoadPictureFile(ImgPreView, path);
    previewedPath_ = ImgPreView->file();
    // The loader fits a control to its picture; the preview keeps the size of its box.
    ImgPreView->setGeometry(box);
}

void TFrmToolBar::preview(const CanvasPicture &picture, const QString &path)
{
    ImgPreView->setPicture(picture, path);
    previewedPath_ = path;
}

void TFrmToolBar::StayAbove(bool frozenDesktopShown, QWidget *frozenDesktop)
{
    QWindow *owner = frozenDesktopShown && frozenDesktop ? frozenDesktop->windowHandle() : nullptr;
    const QWindow *ownerNow = windowHandle() ? windowHandle()->transientParent() : nullptr;
    if (frozenDesktopShown != bool(windowFlags() & Qt::X11BypassWindowManagerHint) || owner != ownerNow) {
        const bool shown = isVisible();
        // The desktop learns whom a window belongs to only as it is mapped.
        hide();
        setWindowFlag(Qt::X11BypassWindowManagerHint, frozenDesktopShown);
        if (owner || ownerNow) {
            winId();
            windowHandle()->setTransientParent(owner);
        }
        if (shown)
            show();
    }
    if (isVisible())
        raise();
}

void TFrmToolBar::keepOnTop()
{
    if (windowFlags() & Qt::WindowStaysOnTopHint)
        return;
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    show();
}

}  // namespace tiv
