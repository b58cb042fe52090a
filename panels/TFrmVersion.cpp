#include "panels/TFrmVersion.h"

#include "common/ButtonFace.h"
#include "common/CatchAll.h"
#include "common/ImageResources.h"
#include "panels/AboutLayout.h"
#include "text/InterfaceText.h"

#include <QEvent>
#include <QFontMetrics>
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

// The link's caption is a row of underscores under the words the picture carries; it spans them
// whatever the width of an underscore in the installed font.
QString UnderscoresSpanning(const QFont &font, int width)
{
    // Measured as a row: an underscore's own advance is rounded, a row of them is not.
    const QFontMetricsF metrics(font);
    QString row(QStringLiteral("_"));
    while (metrics.horizontalAdvance(row) < width && row.size() < width)
        row += u'_';
    return row;
}

}  // namespace

TFrmVersion::TFrmVersion(QWidget *owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("FrmVersion"));
    setFixedSize(about::kCard);
    Image1 = plainLabel(this, "Image1");
    Image1->setGeometry(rect());
    Image1->setScaledContents(true);
    Image1->setCursor(Qt::PointingHandCursor);
    // The labels lie on the picture, over the words drawn for them; a press on them is a press on
    // the picture.
    QFont cardFont(QStringLiteral("黑体"));
    cardFont.setPixelSize(about::kTextPixels);
    LblVersion = plainLabel(Image1, "LblVersion");
    LblVersion->setGeometry(about::kVersionValue);
    QFont number = cardFont;
    number.setBold(true);
    LblVersion->setFont(number);
    LblVersion->setStyleSheet(QStringLiteral("color: rgb(31,57,87);"));
    Label1 = plainLabel(Image1, "Label1");
    Label1->setGeometry(about::kLink);
    QFont link = cardFont;
    link.setUnderline(true);
    Label1->setFont(link);
    Label1->setText(UnderscoresSpanning(link, about::kLink.width()));
    Label1->setStyleSheet(QStringLiteral("color: rgb(38,118,182);"));
    Label5 = plainLabel(Image1, "Label5");
    Label5->setGeometry(20, 200, 200, 24);
    BtnClose = new QPushButton(this);
    BtnClose->setObjectName(QStringLiteral("BtnClose"));
    BtnClose->move(about::kClose);
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
    ApplyButtonFace(BtnClose, QStringLiteral("BtnClose"), QStringLiteral("关闭"));
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
