#pragma once

#include "app/HintLine.h"
#include "capture/DesktopCover.h"
#include "capture/HotkeyTable.h"
#include "capture/OwnWindowsAside.h"
#include "common/CanvasPicture.h"
#include "editing/EditHistory.h"
#include "editing/RubberBand.h"
#include "panels/AnnouncementBrowser.h"
#include "platform/Platform.h"
#include "settings/TextBackground.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QStringList>
#include <QStringListModel>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

namespace tiv {

struct CommandLineRequest;
class ImageControl;
class IniFile;
struct NextPictureNameResult;
struct SavePictureResult;
class TFrmShortcutSet;
class TFrmToolBar;
class TFrmWaterMarkSet;

// The main window. Its handlers are defined in the folder of the subsystem they belong to; this
// file and app/ hold construction, start-up, keyboard and exit.
class TFrmMain : public QWidget {
    Q_OBJECT
public:
    // `settingsPath` empty: the settings file at its usual place.
    explicit TFrmMain(const Platform &platform, const QString &settingsPath = {}, QWidget *parent = nullptr);
    ~TFrmMain() override;

    // --- start-up, keyboard and exit (app/) ---
    void FormCreate();
    void FormShow();
    void FormDestroy();
    void SaveWindowBounds();
    void ApplyMainSkin();
    void FormKeyUp(int key, Qt::KeyboardModifiers shift);
    void BtnOtherFunClick();
    void BtnExitClick();
    // A request from the command line, of this start or of a later one handed over.
    void RunRequest(const CommandLineRequest &request);

    // --- capture engine (capture/) ---
    enum GrabMode : unsigned char { GrabDesktop = 0, GrabForegroundWindow = 1, GrabForegroundClient = 2 };
    // False when nothing was grabbed; the bitmap is then untouched.
    bool GrabScreen(QImage &bitmap, int mode, bool withCursor);
    // A grab that failed ends its capture here: nothing saved, the hint line says why.
    void ReportFailedGrab();
    // Where the desktop asks the user before the first capture, asks from the shown window.
    bool CapturePermitted();
    // After a refusal the desktop remembers, offers to have it ask again next time.
    void OfferToAskAgain();
    void DrawCursorOverlay(QImage &bitmap, int originX, int originY);
    // Makes the canvas picture opaque where its grab left that for after the save (MakeOpaque).
    void SettleCapturePadding();
    // A mouse position on the canvas, exact to the device pixel also where Qt rounds it to a
    // whole logical one (a device pixel ratio above 1 on X).
    QPointF CanvasMousePosition(const QMouseEvent &event) const;
    // `keptInPicture`: one of the program's own windows that stays shown and is captured with the
    // desktop (the capture toolbar's own full-screen button); the others are hidden for the grab.
    void CaptureFullScreen(const QWidget *keptInPicture = nullptr);
    void CaptureActiveWindow();
    void CaptureActiveClientArea();
    // `withPointer`: whether the frozen desktop, and so the region, shows the mouse pointer where it
    // was; a region to be read or pinned is wanted without it.
    void StartRegionCapture(bool withPointer = true);
    void LeaveCaptureMode();
    void HideForCapture(const QWidget *keptInPicture = nullptr);
    void RestoreAfterCapture();
    void HideBeforeRegionGrab();
    // A window of the program about to be hidden for a capture, where the desktop would keep
    // showing it for a while (see ScreenGrabber::blankBeforeHiding).
    void BlankBeforeHiding(QWidget &window);
    // The program's windows hidden for a capture come back; over the frozen desktop only the
    // capture toolbar does, the others once it is gone.
    void BringBackOwnWindows();
    OwnWindowsAside OtherWindows;
    // True from the start of a capture to its end, while the window is hidden and shown for it.
    bool CaptureUnderway = false;
    void EnterPictureOnlyView();
    void RestoreNormalBounds();
    // The frozen desktop of a region selection covers the whole desktop; PresentCapture gives the
    // window back its place and state.
    void CoverScreen();
    void UncoverScreen();
    void ReturnToOwnPlace();
    // The frozen desktop was hidden between the captures of a continuous run: the toolbar goes
    // back to the window manager, and the program that had the keys gets them again.
    void CoverLeftScreen();
    DesktopCover Cover{*this};
    // A key pressed while the frozen desktop holds the keyboard; true when it was acted on.
    bool FrozenDesktopKey(const QKeyEvent &key);
    // The capture toolbar stays usable over the frozen desktop.
    void KeepToolbarAbove();
    void ShowPicturePanel();
    void HotkeyMessage(int id);
    void GrabMenuClick();
    void MnUDScreenCutClick();
    void BtnFullScreenCutClick();
    void FullScreenMenuItemClick();

    // --- after-capture handling (capture/) ---
    void PresentCapture(bool afterCaptureSteps);
    // False when the picture folder was refused, so nothing was saved.
    bool AutoSaveCapture();
    // Lists the pictures saved while the window was away, once it is shown again.
    void CatchUpPictureList();
    void CopyPictureToClipboard(ImageControl *control);
    void ShowContinuousGlyph();
    void BtnContinueCut2Click();
    void BtnSaveToCBClick();
    void BtnAutoSaveToPathClick();
    void BtnSaveToClipboardClick();
    bool ContinuousCapture() const;
    bool AutoClipboard() const;
    bool AutoSaveToFolder() const;

    // --- global hotkeys (capture/) ---
    bool RegisterCaptureHotkeys();
    void UnregisterCaptureHotkeys();
    // How this desktop's own keys are made to capture, on its own line (empty: the line goes).
    void SayHowKeysAreMade(const QString &hint);

    // --- picture naming and saving (files/) ---
    bool EnsurePictureFolder();
    // Checks PictureFolder before anything is written into it, saying what is wrong when it is not
    // usable; makes no folder.
    bool PictureFolderUsable();
    // The next automatic name; an empty path when none can be made (said, where it is a fault).
    NextPictureNameResult NextPictureName();
    // The capture as a new file under that name or, while it is taken, the next number's.
    SavePictureResult SaveNewPicture(const NextPictureNameResult &name);
    // True when the file was written.
    bool SavePicture(const QString &path);
    // A save the user asked for: like SavePicture, but every failure is said.
    bool SavePictureAsked(const QString &path);
    SavePictureResult WriteCanvas(const QString &path);
    SavePictureResult ReportCanvasSave(const SavePictureResult &saved);
    void BtnSavePicClick();
    void BtnSPSaveImgClick();
    void SaveCanvasAs();
    // Whether path may be written: yes when there is nothing there, else the user's answer.
    bool AskToReplace(const QString &path);
    // The current picture and the canvas follow their file when it is renamed or deleted.
    void PictureFileRenamed(const QString &from, const QString &to);
    void PictureFileDeleted(const QString &path);
    QStringList PictureTypeFilters() const;
    QFileDialog *PictureDialog(QFileDialog *&dialog, QFileDialog::AcceptMode mode);
    QFileDialog *SavePictureDialog1 = nullptr;
    QFileDialog *OpenPictureDialog1 = nullptr;

    // --- picture folder and list (files/) ---
    void FillPictureList();
    QString CurrentEntryPath() const;
    void BitmapListBoxClick();
    void BitmapListBoxKeyDown(int key);
    void EdtPicPathExit();
    void EdtPicPathKeyDown(int key);
    void CbPicFomatChange();
    void BtnRefreshDirClick();
    void Load1Click();
    // `nativePath`, when given, is the file's path in the file system's bytes; `path` then only names it.
    void LoadPictureFile(ImageControl *image, const QString &path, const QByteArray &nativePath = {});
    void ShellOpenTarget(const QString &target);
    void ShellOpen(const QString &path);

    // --- canvas, drawing tools, history, zoom and picture size (editing/) ---
    void ImgMainMouseDown(Qt::MouseButton button, QPointF position);
    void ImgMainMouseMove(Qt::MouseButtons buttons, QPointF position);
    void ImgMainMouseUp(Qt::MouseButton button, QPointF position);
    void BtnAddTextClick();
    void BtnAddRECTClick();
    void BtnAddCircleClick();
    void BtnAddLineClick();
    void BtnAddRoundRecClick();
    void BtnAddSingleArrowClick();
    void BtnAddDoubleArrowClick();
    void BtnAddTextOkClick();
    void BtnCancelAddTextClick();
    void BtnFontSetClick();
    void N11Click();
    void PmFontPopup();
    void MemoTextMouseDown();
    void BtnReurnPicClick();
    void BtnBackupForeClick();
    void BtnZoomInClick();
    void BtnZoomoutClick();
    void BtnZoomClick();
    void BtnFileScreenClick();
    void BtnSetPicParamClick();
    // Ends a drag in progress, taking its band off the picture, so an interrupted drag leaves no
    // mark on this picture or on one that replaces it.
    void AbandonDrag();
    // What Esc does: no tool armed, no drag pending.
    void EndPendingTool();
    int HistoryPosition() const { return History.position(); }
    QRect RestoreRect() const { return History.restoreRect(); }
    EditHistory History;
    RubberBand Band;
    // Whether the last mouse-down armed a drag (it does not on a picture that cannot be edited).
    bool DragArmed = false;
    // Where the drag began on the control, for placing the text box on a zoomed canvas.
    QPoint DragStartOnControl;
    // Whether the canvas control follows its picture's size; every zoom command turns it off.
    bool CanvasAutoSize = true;
    class TFrmPicParam *FrmPicParam = nullptr;
    class FontColorDialog *FontDialog1 = nullptr;
    QPushButton *BtnAddTextOk = nullptr, *BtnCancelAddText = nullptr;
    QMenu *PmFont = nullptr;
    QAction *PnAddText = nullptr, *N11 = nullptr, *MnBackgroundSet = nullptr, *PmReturn = nullptr,
            *PmConfirmAddText = nullptr, *PmCancelAddText = nullptr, *N14 = nullptr;
    void buildCanvasControls();
    void wireCanvasEvents();
    // The picture pixel under a position on the canvas control.
    QPoint CanvasPoint(QPointF position) const;
    void showCanvasPicture(QImage picture);

    // --- mosaic (editing/), delayed capture and pinned pictures (capture/), text recognition (ocr/) ---
    void buildFeatureControls();
    // Closes the pinned pictures and the text window, which have no parent window.
    void CloseFeatureWindows();
    void buildMosaicControls();
    void BtnMosaicClick();
    // Hides the dragged rectangle under the chosen mosaic, after a snapshot for the history.
    void ApplyMosaicDrag(QPoint start, QPoint end);
    QPushButton *BtnMosaic = nullptr;
    QMenu *MnMosaic = nullptr;
    // The block edge the user chose; 0 lets the picture's size choose it.
    int MosaicBlock = 0;
    bool MosaicBlur = false;
    void buildDelayControls();
    void DelayMenuClick();
    // `kind` empty: the kind chosen last in the dialog.
    void StartDelayedCapture(QString kind, int seconds);
    void CancelDelayedCapture();
    // Runs a capture named as on the command line (full, window, client, region, text).
    void RunCaptureKind(const QString &kind);
    // The settings file this window reads and writes.
    QString SettingsFileName() const;
    class DelayedCapture *Delay = nullptr;
    QAction *MnDelayCapture = nullptr;
    // A region dragged on the frozen desktop for another use than saving it: the canvas gets its
    // picture back afterwards, and the region is pinned or read.
    enum RegionUse : unsigned char { RegionForCapture = 0, RegionForPin = 1, RegionForText = 2 };
    void StartRegionFor(RegionUse use);
    // Called with the selection (in desktop grab pixels) once the canvas holds only the region.
    void FinishRegionFor(QRect selection);
    // A region for a pin or text given up: the canvas gets its picture back.
    void DropRegionUse();
    RegionUse RegionPurpose = RegionForCapture;
    CanvasPicture PictureBeforeRegion;
    QString FileBeforeRegion;
    void buildPinControls();
    void PinCanvasClick();
    void PinRegionClick();
    // `at`: where its top-left goes on the desktop; null: near the mouse.
    class PinWindow *PinPicture(const QImage &picture, QPoint at = {});
    void SavePinnedPicture(const QImage &picture);
    QList<QPointer<class PinWindow>> Pins;
    QMenu *MnPin = nullptr;
    // Adds the pin and text buttons to a capture toolbar just made.
    void AddToolbarFeatureButtons();
    void buildTextControls();
    void TextCanvasClick();
    void StartTextRegion();
    // Reads the picture's text off the interface thread; the text window shows the busy state.
    void RecogniseText(const QImage &picture);
    void AbandonTextRecognition();
    class OcrWindow *TextWindow();
    class OcrService *TextReader = nullptr;
    class OcrWindow *FrmTextResult = nullptr;
    QMenu *MnText = nullptr;

    // --- announcement panel, help and About windows (panels/) ---
    void buildAnnouncementPanel();
    void TimerRunAvertTimer();
    void RotateAnnouncement();
    void WebBrowserTopNavigateComplete2();
    void TimerCheckTopBrowserTimer();
    bool CheckAnnouncementPage(int width, int height);
    void LoadRollList();
    void TimerRollTimer();
    void RollerMouseEnter(QLabel *label);
    void RollerMouseLeave(QLabel *label);
    void RollerMouseDown(QLabel *label);
    void Image48MouseDown();
    void OpenExitPage();
    void BtnHelpClick();
    void BtnAboutClick();
    void OpenWebAddress(const QString &address);
    // Off in a build without an announcement server: no page is loaded and no exit page opens.
    bool AnnouncementEnabled = true;
    int RollIndex = 0;
    bool RollListLoaded = false;
    bool NextPageShown = false;
    // The rolling entry each label opens; none before its first roll.
    int LbRollersTag = -1, LbRollers2Tag = -1;
    // The rotation's draw in 0..99, from a generator seeded by the clock at every draw.
    std::function<int()> AnnouncementDraw;
    // How long the exit waits after handing the exit page to the browser.
    int ExitPageWaitMilliseconds = 200;
    QTimer *TimerRunAvert = nullptr, *TimerCheckTopBrowser = nullptr, *TimerRoll = nullptr;
    QWidget *Panel11 = nullptr, *Panel12 = nullptr;
    std::unique_ptr<AnnouncementBrowser> TopBrowser;
    class TFrmHelp *FrmHelp = nullptr;
    class TFrmVersion *FrmVersion = nullptr;
    void announcementEvent(QObject *watched, QEvent *event);

    // A modal message with one of the interface texts.
    void ShowMessage(const QString &text);

    // --- list file commands, folder chooser (files/); autostart cleanup, text background (settings/) ---
    // The folder each list entry was listed from, row for row with BitmapListModel; the commands on
    // an entry act on the file in that folder, whatever the path field says now.
    QStringList ListEntryFolders;
    // Each entry's file name as the file system holds it, which need not be UTF-8; the commands
    // act on the file through it, so a name the list can only show garbled still reaches its file.
    QList<QByteArray> ListEntryNames;
    QString ListEntryPath(int row) const;
    QByteArray ListEntryNativePath(int row) const;
    QList<int> SelectedPictureRows() const;
    QStringList SelectedPictureNames() const;
    void DeleteSelectedPictures();
    void MnRenamePicClick();
    void PmOpenInPaintClick();
    void OpenFolderInExplorer(const QString &folder);
    void BtnOpenDirClick();
    void MnClearPicClick();
    void BtnOpenPathClick();
    void RemoveAutostartEntries();
    void MnBackgroundSetClick();
    void wireFileCommands();
    void wireBackgroundSet();
    QMenu *PmImgList = nullptr;
    QAction *N1 = nullptr, *PmOpenInPaint = nullptr, *MnDeletePic = nullptr, *MnRenamePic = nullptr,
            *MnClearPic = nullptr, *MnSendToDisk = nullptr;
    class TFrmReName *FrmReName = nullptr;
    class TFrmDirSelect *FrmDirSelect = nullptr;
    class TFrmBackgroundSet *FrmBackgroundSet = nullptr;
    TextBackground TextBackgroundChoice;

    // --- calls between subsystems ---
    void MnDeletePicClick();
    void CommitPendingText();
    void ApplyAutoWatermark(ImageControl *control);
    void ShowCaptureToolbar();
    void ShowSavedPictureOnToolbar(const QString &path);
    void HideWatermarkSettings();
    void LoadSettings();
    void SaveSettings();

    // --- watermark, capture toolbar and hotkey dialog (editing/, capture/) ---
    // Blends the configured mark into the picture; returns the area it changed.
    QRect RenderWatermark(QImage &target);
    void LoadWatermarkDialog();
    void BtnAddWatermarkClick();
    void BtnWatermarkSetClick();
    void BtnSetHotkeyClick();
    TFrmWaterMarkSet *WatermarkDialog();
    TFrmWaterMarkSet *FrmWaterMarkSet = nullptr;
    std::unique_ptr<TFrmToolBar> CaptureToolbar;
    // Whether the hotkey that leaves capture mode is registered now.
    bool LeaveHotkeyArmed = false;
    // Leaves capture mode when nothing else could bring the hidden window back (no toolbar shown,
    // no hotkey 5 registered).
    void KeepWayBack();
    // True once the window has begun to close for good.
    bool Ending() const { return destroyed_; }
    // Closes for a session that ends or a signal: the settings are kept as on any exit, but no
    // browser is started for the exit page, as nobody is there to read it.
    void EndWithSession();
    void wireCaptureWindows();

    // --- state (all zero, empty or false when the window is made) ---
    bool ChromeShown = false;
    bool ShownBeforeCapture = false;
    // Set by a grab that left the padding byte of the canvas picture's pixels as the desktop gave it.
    bool CapturePaddingLeft = false;
    // Set by saves that did not refill the picture list (continuous capture).
    bool PictureListBehind = false;
    QString PictureDrive;
    // One message about a missing disk at a time: timers and hotkeys go on while it is open.
    bool DiskMissingShown = false;
    QString AutoSavePrefix;
    int ListSelectedIndex = 0;
    int PopupFromTextBox = 0;
    unsigned char ToolMode = 0;
    QString CurrentPicturePath;
    int SavedTop = 0, SavedLeft = 0, SavedHeight = 0, SavedWidth = 0;
    int DragStartX = 0, DragStartY = 0, DragEndX = 0, DragEndY = 0;
    QString PictureFolder;
    QStringList RollerLines;
    unsigned char PngFilterChoice = 0;
    // Settings that no control holds.
    QString WatermarkText, WatermarkImgPath;
    int WaterMarkTransparent = 8, WatermarkType = 2;
    int FontCharset = 134;
    QColor TextColor = Qt::red;  // colour of the text box font: the pen of every tool
    QString PictureDialogFolder;  // where the open and save dialogs start
    HotkeyTable Hotkeys;
    HotkeyConflicts Conflicts{};
    std::unique_ptr<IniFile> SettingsFile;
    QString SettingsPath;
    TFrmShortcutSet *FrmShortcutSet = nullptr;
    TFrmShortcutSet *ShortcutDialog();
    void setTextFont(const QFont &font, const QColor &color);

    // The longest a region capture waits for the hidden window to leave the screen (all of it
    // where the desktop cannot tell when the window is gone).
    int SettleMilliseconds = 500;
    // The longest a capture that hid the window waits for the desktop to repaint where it stood.
    int HideSettleMilliseconds = 150;

    // --- controls ---
    QFrame *PnlTop, *PnlBottom, *ImgLeft, *ImgRight;
    QWidget *SbMain;
    QFrame *SbAvert;
    QLabel *Image48;
    QWidget *WebBrowserTop;
    QFrame *SbPicName, *SplitterTop, *Splitter3;
    QPushButton *BtnOpenDir, *BtnSelectPath;
    QComboBox *CbPicFomat;
    QLineEdit *EdtPicPath;
    QFrame *SbLeft, *SbToollBar;
    QListView *BitmapListBox;
    QStringListModel *BitmapListModel;
    QFrame *SBDisplay;
    QWidget *WebBrowser1;
    QScrollArea *PnlPic;
    QWidget *PnlPicContent;
    ImageControl *ImgMain;
    QPlainTextEdit *MemoText;
    QFrame *PnlAutoSave, *PnSavePic;
    QLineEdit *EdtAutoSavePre, *EdtPicName;
    HintLine *PnlHint;
    QLabel *LbBindingHint;
    QLabel *LbRollers, *LbRollers2;

    // Side toolbar: visible ones first, then the hidden buttons that share handlers.
    QPushButton *BtnContinueCut2, *BtnMouseAreatPIC, *BtnOtherFun, *BtnHelp, *BtnAbout, *BtnExit;
    QPushButton *BtnFullScreenCut, *BtnUDCutScreen, *BtnWindowsCut, *SpeedButton15, *SpeedButton16,
        *BtnPicFullScreen, *BtnSaveToClipboard, *BtnSaveToCB22, *BtnAutoSaveToPath111, *BtnAddWatermark,
        *BtnPicSaveAs, *BtnOpenAPic, *BtnDeletePic, *BtnRenamePic, *BtnOpenByPaintB, *BtnSetHotkey,
        *BtnSPSaveImg, *SpeedButton3;
    // Picture tool row.
    QPushButton *BtnAddText, *BtnFontSet, *BtnAddLine, *BtnAddSingleArrow, *BtnAddDoubleArrow,
        *BtnAddCircle, *BtnAddRoundRec, *BtnAddRECT, *BtnSetPicParam, *BtnReurnPic, *BtnBackupFore,
        *BtnZoomIn, *BtnZoomout, *BtnZoom, *BtnFileScreen, *BtnSavePic, *BtnWatermarkSet;

    QMenu *MnOtherFunButton;
    QAction *N23, *N22, *N2, *N20, *N21, *MenuItem1, *N12, *N13, *N15, *N16, *N17, *N18, *N25,
        *BtnSaveToCB, *BtnAutoSaveToPath, *BtnContinueCut, *N19;

    // --- skin: button faces and background pictures (app/MainSkin.cpp) ---
    QLabel *ImgPicFormJ = nullptr, *ImgFuntoolbar = nullptr, *ImgSPPicName = nullptr, *ImgSPIncPre = nullptr;
    void buildSkinImages();

    const Platform &platform() const { return platform_; }
    // True when the window is shown without a frame (the picture-only view).
    bool borderless() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    void buildSideToolbar(QWidget *parent);
    void buildPathRow(QWidget *parent);
    void buildToolRow(QWidget *parent);
    void buildMoreFunctionsMenu();
    void wireHandlers();
    void setBorderless(bool on);
    void ReopenLastPicture();
    void fitPictureContent();
    // Events of single controls that their handlers want (keys of the list, leaving the path box).
    bool controlEvent(QObject *watched, QEvent *event);

    Platform platform_;
    bool destroyed_ = false;
    bool endedWithSession_ = false;
    bool shownOnce_ = false;
};

}  // namespace tiv
