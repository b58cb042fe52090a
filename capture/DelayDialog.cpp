#include "capture/DelayDialog.h"

#include "capture/DelayedCapture.h"
#include "common/ButtonFace.h"
#include "settings/IniFile.h"
#include "text/FeatureTexts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>

namespace tiv {

namespace {

const QString Section = QStringLiteral("delaycapture");
const QStringList Kinds = {QStringLiteral("full"), QStringLiteral("window"), QStringLiteral("region")};

}  // namespace

DelayChoice DelayChoice::load(const IniFile &ini)
{
    DelayChoice c;
    const QString kind = ini.readString(Section, QStringLiteral("DelayKind"), c.kind);
    if (Kinds.contains(kind))
        c.kind = kind;
    const int seconds = ini.readInteger(Section, QStringLiteral("DelaySeconds"), c.seconds);
    if (seconds >= DelayedCapture::MinSeconds && seconds <= DelayedCapture::MaxSeconds)
        c.seconds = seconds;
    return c;
}

void DelayChoice::save(IniFile &ini) const
{
    ini.writeString(Section, QStringLiteral("DelayKind"), kind);
    ini.writeInteger(Section, QStringLiteral("DelaySeconds"), seconds);
}

DelayDialog::DelayDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmDelay"));
    setWindowTitle(TxtDelayTitle);
    Kind = new QComboBox(this);
    Kind->setObjectName(QStringLiteral("CbDelayKind"));
    Kind->addItem(TxtDelayFull, Kinds[0]);
    Kind->addItem(TxtDelayWindow, Kinds[1]);
    Kind->addItem(TxtDelayRegion, Kinds[2]);
    Seconds = new QSpinBox(this);
    Seconds->setObjectName(QStringLiteral("SeDelaySeconds"));
    Seconds->setRange(DelayedCapture::MinSeconds, DelayedCapture::MaxSeconds);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(TxtDelayStart);
    buttons->button(QDialogButtonBox::Cancel)->setText(TxtDelayCancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *form = new QFormLayout(this);
    form->addRow(TxtDelayKind, Kind);
    form->addRow(TxtDelaySeconds, Seconds);
    form->addRow(buttons);
    ApplyDrawnFaces(this);
}

void DelayDialog::setChoice(const DelayChoice &choice)
{
    Kind->setCurrentIndex(std::max(0, int(Kinds.indexOf(choice.kind))));
    Seconds->setValue(choice.seconds);
}

DelayChoice DelayDialog::choice() const
{
    return {Kind->currentData().toString(), Seconds->value()};
}

}  // namespace tiv
