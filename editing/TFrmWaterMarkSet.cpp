#include "editing/TFrmWaterMarkSet.h"

#include "app/TFrmMain.h"
#include "common/ButtonFace.h"
#include "common/CatchAll.h"
#include "editing/ImageControl.h"
#include "files/LoadPictureFile.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

namespace tiv {

TFrmWaterMarkSet::TFrmWaterMarkSet(TFrmMain &main) : QDialog(&main), main_(main)
{
    setObjectName(QStringLiteral("FrmWaterMarkSet"));
    buildLayout();
    connect(SbTransparent, &QScrollBar::valueChanged, this, [this] { CatchAll([&] { SbTransparentChange(); }); });
    connect(BtnSpSelectPicAdd, &QPushButton::clicked, this, [this] { CatchAll([&] { BtnSpSelectPicAddClick(); }); });
    connect(BtnClose, &QPushButton::clicked, this, [this] { CatchAll([&] { BtnCloseClick(); }); });
    connect(EdtWatermarkIMGPath, &QLineEdit::editingFinished, this,
            [this] { CatchAll([&] { LoadWatermarkPicture(EdtWatermarkIMGPath->text()); }); });
    FormCreate();
}

void TFrmWaterMarkSet::buildLayout()
{
    auto *grid = new QGridLayout(this);
    ImgSpWaterMarkType = new QLabel(this);
    ImgSpWaterMarkType->setObjectName(QStringLiteral("ImgSpWaterMarkType"));
    LbWatermarkType = new QListWidget(this);
    LbWatermarkType->setObjectName(QStringLiteral("LbWatermarkType"));
    LbWatermarkType->addItems({QStringLiteral("文字水印"), QStringLiteral("图片水印"), QStringLiteral("无水印")});
    LbWatermarkType->setFixedHeight(LbWatermarkType->sizeHintForRow(0) * 3 + 2 * LbWatermarkType->frameWidth() + 4);
    EdtWatermark = new QLineEdit(this);
    EdtWatermark->setObjectName(QStringLiteral("EdtWatermark"));
    EdtWatermarkIMGPath = new QLineEdit(this);
    EdtWatermarkIMGPath->setObjectName(QStringLiteral("EdtWatermarkIMGPath"));
    LbWatermarkImgState = new QLabel(this);
    LbWatermarkImgState->setObjectName(QStringLiteral("LbWatermarkImgState"));
    LbWatermarkImgState->setTextFormat(Qt::PlainText);
    LbWatermarkImgState->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0)"));
    LbWatermarkImgState->hide();
    BtnSpSelectPicAdd = new QPushButton(this);
    BtnSpSelectPicAdd->setObjectName(QStringLiteral("BtnSpSelectPicAdd"));
    SbTransparent = new QScrollBar(Qt::Horizontal, this);
    SbTransparent->setObjectName(QStringLiteral("SbTransparent"));
    SbTransparent->setRange(1, 10);
    SbTransparent->setPageStep(1);
    SbTransparent->setValue(5);
    LbTrans = new QLabel(QStringLiteral("5"), this);
    LbTrans->setObjectName(QStringLiteral("LbTrans"));
    LbTrans->setTextFormat(Qt::PlainText);
    LbTrans->setMinimumWidth(24);
    SpImgPreview = new QLabel(this);
    SpImgPreview->setObjectName(QStringLiteral("SpImgPreview"));
    ScrollBox1 = new QScrollArea(this);
    ImgWatermark = new ImageControl;
    ImgWatermark->setObjectName(QStringLiteral("ImgWatermark"));
    ScrollBox1->setWidget(ImgWatermark);
    ScrollBox1->setMinimumSize(240, 120);
    BtnClose = new QPushButton(this);
    BtnClose->setObjectName(QStringLiteral("BtnClose"));

    auto *textLabel = new QLabel(QStringLiteral("水印文字"), this);
    auto *pictureLabel = new QLabel(QStringLiteral("水印图片"), this);
    auto *opacityLabel = new QLabel(QStringLiteral("不透明度"), this);
    grid->addWidget(ImgSpWaterMarkType, 0, 0, 1, 3);
    grid->addWidget(LbWatermarkType, 1, 0, 1, 3);
    grid->addWidget(textLabel, 2, 0);
    grid->addWidget(EdtWatermark, 2, 1, 1, 2);
    grid->addWidget(pictureLabel, 3, 0);
    grid->addWidget(EdtWatermarkIMGPath, 3, 1);
    grid->addWidget(BtnSpSelectPicAdd, 3, 2);
    grid->addWidget(LbWatermarkImgState, 4, 1, 1, 2);
    grid->addWidget(opacityLabel, 5, 0);
    grid->addWidget(SbTransparent, 5, 1);
    grid->addWidget(LbTrans, 5, 2);
    grid->addWidget(SpImgPreview, 6, 0, 1, 3);
    grid->addWidget(ScrollBox1, 7, 0, 1, 3);
    grid->addWidget(BtnClose, 8, 2);
}

void TFrmWaterMarkSet::FormCreate()
{
    // Double buffering is the toolkit's default for widgets.
    setWindowTitle(QStringLiteral("水印设置"));
    ApplyButtonFace(BtnSpSelectPicAdd, QStringLiteral("BtnSpSelectPicAdd"), QStringLiteral("选择图片"));
    ApplyButtonFace(BtnClose, QStringLiteral("BtnClose"), QStringLiteral("关闭"));
    ApplyLabelPicture(ImgSpWaterMarkType, QStringLiteral("ImgSpWaterMarkType"), QStringLiteral("水印类型"));
    ApplyLabelPicture(SpImgPreview, QStringLiteral("SpImgPreview"), QStringLiteral("水印图片预览"));
}

void TFrmWaterMarkSet::FormShow()
{
    if (LbWatermarkType->currentRow() < 0)
        LbWatermarkType->setCurrentRow(0);
}

void TFrmWaterMarkSet::FormCloseQuery()
{
    main_.WatermarkText = EdtWatermark->text();
    main_.WatermarkType = LbWatermarkType->currentRow();
    main_.WatermarkImgPath = EdtWatermarkIMGPath->text();
    main_.WaterMarkTransparent = SbTransparent->value();
    // A path typed without choosing it in the picture dialog counts as well.
    if (main_.WatermarkImgPath != loadedPath_)
        LoadWatermarkPicture(main_.WatermarkImgPath);
}

bool TFrmWaterMarkSet::LoadWatermarkPicture(const QString &path)
{
    loadedPath_ = path;
    QString problem;
    CanvasPicture picture;
    if (!path.isEmpty()) {
        if (!QFileInfo(path).isFile())
            problem = QStringLiteral("找不到水印图片");
        else if ((picture = LoadPictureFile(path)).isEmpty())
            problem = QStringLiteral("无法读取水印图片");
        else if (!picture.isBitmap())
            problem = QStringLiteral("水印图片只能是 JPG、PNG 或 BMP 图片");
    }
    LbWatermarkImgState->setText(problem);
    LbWatermarkImgState->setVisible(!problem.isEmpty());
    if (!problem.isEmpty() || path.isEmpty())
        picture = {};
    ImgWatermark->setPicture(std::move(picture), path);
    ImgWatermark->sizeToPicture();
    return problem.isEmpty() && !path.isEmpty();
}

void TFrmWaterMarkSet::SbTransparentChange()
{
    LbTrans->setText(QString::number(SbTransparent->value()));
}

void TFrmWaterMarkSet::BtnSpSelectPicAddClick()
{
    if (!OpenPictureDialog1) {
        OpenPictureDialog1 = new QFileDialog(this);
        OpenPictureDialog1->setOption(QFileDialog::DontUseNativeDialog);
        OpenPictureDialog1->setAcceptMode(QFileDialog::AcceptOpen);
        OpenPictureDialog1->setFileMode(QFileDialog::ExistingFile);
        OpenPictureDialog1->setNameFilters(main_.PictureTypeFilters());
    }
    if (OpenPictureDialog1->exec() != QDialog::Accepted || OpenPictureDialog1->selectedFiles().isEmpty())
        return;
    const QString chosen = OpenPictureDialog1->selectedFiles().first();
    EdtWatermarkIMGPath->setText(chosen);
    LoadWatermarkPicture(chosen);
}

void TFrmWaterMarkSet::BtnCloseClick()
{
    close();
}

void TFrmWaterMarkSet::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CatchAll([&] { FormShow(); });
}

void TFrmWaterMarkSet::done(int result)
{
    CatchAll([&] { FormCloseQuery(); });
    QDialog::done(result);
}

}  // namespace tiv
