#pragma once

#include <QPointer>
#include <QWidget>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace tiv {

struct CanvasPicture;
class ImageControl;
class TFrmMain;

// The small stay-on-top window of continuous region capture: the next region or full-screen
// capture, the way back to the main window, and the pictures saved since it was made.
class TFrmToolBar : public QWidget {
    Q_OBJECT
public:
    explicit TFrmToolBar(TFrmMain &main);

    // Set by every showing from the main window and by the exit button; nothing clears it.
    bool LeaveOnClose = false;

    void FormCreate();
    // The picture just saved under path: listed, and shown in the preview as it is in memory.
    void ShowSavedPicture(const QString &path, const CanvasPicture &picture);
    void BtnMouseScreenCutClick();
    void BtnFullScreenClick();
    void BtnCloseClick();
    void FormCloseQuery();
    void LbImgsClick();
    void ImgPreViewClick();
    void BtnZoomClick();
    void BtnFileScreenClick();
    // Over the frozen desktop the toolbar, like it, keeps away from the window manager, which
    // would stack it below; elsewhere it is an ordinary window again. Where no window may put
    // itself above others (Wayland), it belongs to `frozenDesktop` while that is shown, and the
    // desktop keeps it above the window it belongs to (sway does, full-screen or not).
    void StayAbove(bool frozenDesktopShown, QWidget *frozenDesktop = nullptr);

    QGroupBox *GpSPPreview, *GroupBox1;
    ImageControl *ImgPreView;
    QPushButton *BtnZoom, *BtnFileScreen;
    QWidget *PnlButton;
    QListWidget *LbImgs;
    QPushButton *BtnSpMouseCutScreen, *BtnSPFullScreenC, *BtnSpExistMainWin;
    QWidget *PnlHint;
    QLabel *LblHint;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    void wire();
    // The full path of the selected entry, selecting the first when none is; empty for an empty list.
    QString selectedPath();
    void previewFile(const QString &path);
    void preview(const CanvasPicture &picture, const QString &path);
    void keepOnTop();

    QPointer<TFrmMain> main_;
    // The file the preview shows; that is the picture a double-click opens.
    QString previewedPath_;
};

}  // namespace tiv
