#include "app/TFrmMain.h"

#include "app/VirtualKey.h"
#include "capture/TFrmToolBar.h"
#include "common/ButtonFace.h"
#include "common/CatchAll.h"
#include "common/HandlerWiring.h"
#include "editing/ImageControl.h"
#include "files/DefaultFolder.h"
#include "files/LoadPictureFile.h"
#include "settings/IniFile.h"
#include "text/InterfaceText.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QWindow>

namespace tiv {

TFrmMain::TFrmMain(const Platform &platform, const QString &settingsPath, QWidget *parent)
    : QWidget(parent), SettingsPath(settingsPath), platform_(platform)
{
    buildLayout();
    buildSkinImages();
    wireHandlers();
    buildAnnouncementPanel();
    // Keys reach the window before the focused control, wherever the focus is.
    qApp->installEventFilter(this);
    if (platform_.hotkeys)
        platform_.hotkeys->setHandler([this](int id) { HotkeyMessage(id); });
    FormCreate();
}

TFrmMain::~TFrmMain()
{
    CloseFeatureWindows();
    qApp->removeEventFilter(this);
    if (platform_.hotkeys)
        platform_.hotkeys->setHandler({});
    FormDestroy();
}

void TFrmMain::wireHandlers()
{
    const auto on = [this](QObject *control, void (TFrmMain::*handler)()) { WireHandler(this, control, handler); };
    const auto onItem = on;
    on(BtnExit, &TFrmMain::BtnExitClick);
    on(BtnOtherFun, &TFrmMain::BtnOtherFunClick);
    on(BtnMouseAreatPIC, &TFrmMain::GrabMenuClick);
    for (QPushButton *b : {BtnUDCutScreen, BtnWindowsCut, SpeedButton15, SpeedButton16})
        on(b, &TFrmMain::MnUDScreenCutClick);
    onItem(N20, &TFrmMain::MnUDScreenCutClick);
    on(BtnFullScreenCut, &TFrmMain::BtnFullScreenCutClick);
    onItem(N2, &TFrmMain::BtnFullScreenCutClick);
    on(BtnPicFullScreen, &TFrmMain::FullScreenMenuItemClick);
    onItem(N17, &TFrmMain::FullScreenMenuItemClick);
    on(BtnSaveToClipboard, &TFrmMain::BtnSaveToClipboardClick);
    onItem(N18, &TFrmMain::BtnSaveToClipboardClick);
    on(BtnSaveToCB22, &TFrmMain::BtnSaveToCBClick);
    onItem(BtnSaveToCB, &TFrmMain::BtnSaveToCBClick);
    on(BtnContinueCut2, &TFrmMain::BtnContinueCut2Click);
    onItem(BtnContinueCut, &TFrmMain::BtnContinueCut2Click);
    on(BtnAutoSaveToPath111, &TFrmMain::BtnAutoSaveToPathClick);
    onItem(BtnAutoSaveToPath, &TFrmMain::BtnAutoSaveToPathClick);
    for (QPushButton *b : {BtnPicSaveAs, BtnSPSaveImg})
        on(b, &TFrmMain::BtnSPSaveImgClick);
    onItem(MenuItem1, &TFrmMain::BtnSPSaveImgClick);
    on(BtnSavePic, &TFrmMain::BtnSavePicClick);
    on(BtnOpenAPic, &TFrmMain::Load1Click);
    onItem(N13, &TFrmMain::Load1Click);
    on(SpeedButton3, &TFrmMain::BtnRefreshDirClick);
    connect(BitmapListBox, &QListView::clicked, this, [this] { CatchAll([&] { BitmapListBoxClick(); }); });
    connect(CbPicFomat, &QComboBox::activated, this, [this] { CatchAll([&] { CbPicFomatChange(); }); });
    buildCanvasControls();
    on(BtnAddText, &TFrmMain::BtnAddTextClick);
    onItem(PnAddText, &TFrmMain::BtnAddTextClick);
    on(BtnAddRECT, &TFrmMain::BtnAddRECTClick);
    on(BtnAddCircle, &TFrmMain::BtnAddCircleClick);
    on(BtnAddLine, &TFrmMain::BtnAddLineClick);
    on(BtnAddRoundRec, &TFrmMain::BtnAddRoundRecClick);
    on(BtnAddSingleArrow, &TFrmMain::BtnAddSingleArrowClick);
    on(BtnAddDoubleArrow, &TFrmMain::BtnAddDoubleArrowClick);
    on(BtnAddTextOk, &TFrmMain::BtnAddTextOkClick);
    onItem(PmConfirmAddText, &TFrmMain::BtnAddTextOkClick);
    on(BtnCancelAddText, &TFrmMain::BtnCancelAddTextClick);
    onItem(PmCancelAddText, &TFrmMain::BtnCancelAddTextClick);
    on(BtnFontSet, &TFrmMain::BtnFontSetClick);
    onItem(N11, &TFrmMain::N11Click);
    on(BtnReurnPic, &TFrmMain::BtnReurnPicClick);
    onItem(PmReturn, &TFrmMain::BtnReurnPicClick);
    on(BtnBackupFore, &TFrmMain::BtnBackupForeClick);
    on(BtnZoomIn, &TFrmMain::BtnZoomInClick);
    on(BtnZoomout, &TFrmMain::BtnZoomoutClick);
    on(BtnZoom, &TFrmMain::BtnZoomClick);
    on(BtnFileScreen, &TFrmMain::BtnFileScreenClick);
    on(BtnSetPicParam, &TFrmMain::BtnSetPicParamClick);
    onItem(N14, &TFrmMain::BtnSavePicClick);
    wireCanvasEvents();
    wireCaptureWindows();
    wireFileCommands();
    wireBackgroundSet();
    buildFeatureControls();
}

void TFrmMain::ShowMessage(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, TxtAppTitle, text, QMessageBox::Ok, this);
    // The texts carry paths and names from the user's files: never read them as markup.
    box.setTextFormat(Qt::PlainText);
    ApplyDrawnFaces(&box);
    box.exec();
}

bool TFrmMain::controlEvent(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (watched == BitmapListBox || watched == EdtPicPath)) {
        const int key = VirtualKeyOf(*static_cast<QKeyEvent *>(event));
        CatchAll([&] {
            if (watched == BitmapListBox)
                BitmapListBoxKeyDown(key);
            else
                EdtPicPathKeyDown(key);
        });
    } else if (event->type() == QEvent::FocusOut && watched == EdtPicPath) {
        // Leaving the field means focusing another control; the window losing the focus, or a
        // menu opening over it, is not leaving it.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            CatchAll([&] { EdtPicPathExit(); });
    }
    return false;
}

void TFrmMain::FormCreate()
{
    CatchAll([&] {
        // Double buffering is Qt's default for widgets.
        InitInterfaceText();
        ApplyMainSkin();
        RollerLines.clear();
        WebBrowserTop->move(WebBrowserTop->x(), -2000);
        PngFilterChoice = 1;
    });
    CatchAll([&] {
        SaveWindowBounds();
        DragStartX = DragStartY = DragEndX = DragEndY = 0;
        ToolMode = 0;
        LoadSettings();
        PnSavePic->hide();
    });
    CatchAll([&] { ReopenLastPicture(); });
    LbRollers->clear();
    LbRollers2->clear();
    CatchAll([&] { WatermarkDialog(); });
    CatchAll([&] { RemoveAutostartEntries(); });
}

void TFrmMain::ReopenLastPicture()
{
    const QFileInfo last(CurrentPicturePath);
    const QString folder = CurrentPicturePath.isEmpty() ? QString() : last.absolutePath();
    const QString folderWithSep = folder.isEmpty() ? QString() : QDir::cleanPath(folder + u'/') + u'/';
    if (folder.isEmpty() || !QFileInfo(folderWithSep).isDir()) {
        PictureFolder = DefaultPictureFolder();
        EdtPicPath->setText(PictureFolder);
        return;
    }
    if (!last.isFile())
        return;
    PictureFolder = folderWithSep;
    EdtPicPath->setText(PictureFolder);
    FillPictureList();
    // A picture that does not load leaves the canvas as it was: nothing is opened or said at start.
    CanvasPicture picture = LoadCanvasPictureFile(CurrentPicturePath);
    if (!picture.isEmpty()) {
        ImgMain->setPicture(std::move(picture), CurrentPicturePath);
        ImgMain->sizeToPicture();
    }
    const QString ext = u'.' + last.suffix();
    for (int i = 0; i < CbPicFomat->count(); ++i) {
        if (CbPicFomat->itemText(i).trimmed() == ext) {
            CbPicFomat->setCurrentIndex(i);
            break;
        }
    }
    const QStringList names = BitmapListModel->stringList();
    for (int i = 0; i < names.size(); ++i) {
        if (names[i].trimmed() == last.fileName()) {
            BitmapListBox->setCurrentIndex(BitmapListModel->index(i));
            break;
        }
    }
}

void TFrmMain::FormShow()
{
    CatchAll([&] { FillPictureList(); });
}

void TFrmMain::FormDestroy()
{
    if (destroyed_)
        return;
    destroyed_ = true;
    hide();
    CatchAll([&] {
        UnregisterCaptureHotkeys();
        SaveSettings();
        RollerLines.clear();
    });
    if (!endedWithSession_)
        CatchAll([&] { OpenExitPage(); });
}

void TFrmMain::EndWithSession()
{
    endedWithSession_ = true;
    close();
    // Closing the main window ends the program only once no other window of it is shown; the
    // capture toolbar of continuous capture would keep it running past the session's end.
    QCoreApplication::quit();
}

void TFrmMain::fitPictureContent()
{
    // The scroll area scrolls over whatever the canvas and the text box cover.
    QRect covered = ImgMain->geometry();
    if (MemoText->isVisible())
        covered = covered.united(MemoText->geometry());
    PnlPicContent->resize(covered.right() + 1, covered.bottom() + 1);
}

void TFrmMain::SaveWindowBounds()
{
    SavedTop = y();
    SavedLeft = x();
    SavedHeight = height();
    SavedWidth = width();
}

void TFrmMain::FormKeyUp(int key, Qt::KeyboardModifiers shift)
{
    if (key == VkEscape)
        EndPendingTool();
    else if (key == 'F' && (shift & Qt::ControlModifier))
        CaptureFullScreen();
}

void TFrmMain::BtnOtherFunClick()
{
    const QPoint at(x() + BtnOtherFun->x() + BtnOtherFun->width(),
                    y() + SbMain->y() + SBDisplay->y() + BtnOtherFun->y() + 30);
    MnOtherFunButton->popup(at);
}

void TFrmMain::BtnExitClick()
{
    close();
}

void TFrmMain::closeEvent(QCloseEvent *event)
{
    FormDestroy();
    event->accept();
}

bool TFrmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (controlEvent(watched, event))
        return true;
    announcementEvent(watched, event);
    if (event->type() == QEvent::KeyRelease && watched == windowHandle()) {
        // The native window sees each key once, before any control does, whichever has the focus.
        auto *key = static_cast<QKeyEvent *>(event);
        if (!key->isAutoRepeat())
            CatchAll([&] { FormKeyUp(VirtualKeyOf(*key), key->modifiers()); });
    } else if ((event->type() == QEvent::Resize || event->type() == QEvent::Move) &&
               (watched == ImgMain || watched == MemoText)) {
        fitPictureContent();
    } else if (event->type() == QEvent::Show && watched == this) {
        if (!shownOnce_) {
            shownOnce_ = true;
            FormShow();
        } else {
            CatchAll([&] { CatchUpPictureList(); });
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace tiv
