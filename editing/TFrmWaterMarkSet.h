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

    void FormCreate();
    void FormShow();
    void FormCloseQuery();
    void SbTransparentChange();
    void BtnSpSelectPicAddClick();
    void BtnCloseClick();

    QLabel *ImgSpWaterMarkType, *SpImgPreview;
    QListWidget *LbWatermarkType;
    QLineEdit *EdtWatermark, *EdtWatermarkIMGPath;
    QPushButton *BtnSpSelectPicAdd, *BtnClose;
    QScrollBar *SbTransparent;
    QLabel *LbTrans;
    QScrollArea *ScrollBox1;
    ImageControl *ImgWatermark;
    QFileDialog *OpenPictureDialog1 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    // Every way of closing (the close button, the close box, Esc) ends here.
    void done(int result) override;

private:
    void buildLayout();
    TFrmMain &main_;
};

}  // namespace tiv
