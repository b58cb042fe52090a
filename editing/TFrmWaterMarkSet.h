#pragma once

#include <QDialog>

class QFileDialog;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollArea;
class QScrollBar;

namespace tiv {

class ImageControl;
class TFrmMain;

// The watermark settings window. It is made once at start-up and kept; every close, whichever
// way, stores what its controls show into the main window's four watermark settings.
class TFrmWaterMarkSet : public QDialog {
    Q_OBJECT
public:
    explicit TFrmWaterMarkSet(TFrmMain &main);

    // The result of a close made by a starting capture rather than by the user.
    static constexpr int ClosedForCapture = 2;

    // Shows the picture at `path` as the mark, or says beside the path why it cannot be one; a
    // picture that cannot be the mark leaves none, so captures carry what the path names.
    bool LoadWatermarkPicture(const QString &path);

    void FormCreate();
    void FormShow();
    void FormCloseQuery();
    void SbTransparentChange();
    void BtnSpSelectPicAddClick();
    void BtnCloseClick();

    QLabel *ImgSpWaterMarkType, *SpImgPreview;
    QListWidget *LbWatermarkType;
    QLineEdit *EdtWatermark, *EdtWatermarkIMGPath;
    QLabel *LbWatermarkImgState;
    QPushButton *BtnSpSelectPicAdd, *BtnClose;
    QScrollBar *SbTransparent;
    QLabel *LbTrans;
    QScrollArea *ScrollBox1;
    ImageControl *ImgWatermark;
    QFileDialog *OpenPictureDialog1 = nullptr;

    // Every way of closing (the close button, the close box, Esc, a starting capture) ends here.
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildLayout();
    TFrmMain &main_;
    // The path the preview was last loaded from, so a close loads only a path typed since.
    QString loadedPath_;
};

}  // namespace tiv
