#include "panels/TFrmVersion.h"

#include "common/ButtonFace.h"
#include "common/CatchAll.h"
#include "common/ImageResources.h"
#include "text/InterfaceText.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace tiv {

namespace {

QLabel *plainLabel(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

// Without its picture the window still says whose it is.
QPixmap titlePicture(QSize size)
{
    QPixmap picture(size);
    picture.fill(QColor(245, 250, 254));
    QPainter painter(&picture);
    QFont title;
    title.setPixelSize(40);
    painter.setFont(title);
    painter.drawText(QRect(0, 40, size.width(), 60), Qt::AlignCenter, TxtAppTitle);
    return picture;
}

}  // namespace

TFrmVersion::TFrmVersion(QWidget *owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("FrmVersion"));
    setFixedSize(480, 320);
    Image1 = plainLabel(this, "Image1");
    Image1->setGeometry(rect());
    Image1->setScaledContents(true);
    Image1->setCursor(Qt::PointingHandCursor);
    // The labels lie on the picture; a press on them is a press on the picture.
    LblVersion = plainLabel(Image1, "LblVersion");
    LblVersion->setGeometry(300, 120, 80, 24);
    Label1 = plainLabel(Image1, "Label1");
    Label1->setGeometry(150, 250, 180, 24);
    Label1->setText(QStringLiteral("____________________"));
    QFont link = Label1->font();
    link.setUnderline(true);
    Label1->setFont(link);
    Label1->setStyleSheet(QStringLiteral("color: rgb(0,0,255);"));
    Label5 = plainLabel(Image1, "Label5");
    Label5->setGeometry(20, 200, 200, 24);
    BtnClose = new QPushButton(this);
    BtnClose->setObjectName(QStringLiteral("BtnClose"));
    BtnClose->move(390, 280);
    Image1->installEventFilter(this);
    Label1->installEventFilter(this);
    connect(BtnClose, &QPushButton::clicked, this, [this] { CatchAll([&] { BtnCloseClick(); }); });
    CatchAll([&] { FormCreate(); });
}

void TFrmVersion::FormCreate()
{
    QPixmap picture;
    LoadJpgResource(picture, QStringLiteral("helpdoc"));
    if (picture.isNull())
        picture = titlePicture(size());
    Image1->setPixmap(picture);
    ApplyButtonFace(BtnClose, QStringLiteral("cancel"), QStringLiteral("关闭"));
    BtnClose->adjustSize();
    setWindowTitle(FormatText(QStringLiteral("%s %s"), {TxtAbout, TxtAppTitle}));
    LblVersion->setText(QStringLiteral("2.2"));
}

void TFrmVersion::BtnCloseClick()
{
    close();
}

bool TFrmVersion::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && (watched == Image1 || watched == Label1)) {
        emit productPageRequested();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tiv
