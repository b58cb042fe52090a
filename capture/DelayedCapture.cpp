#include "capture/DelayedCapture.h"

#include "text/FeatureTexts.h"
#include "text/InterfaceText.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>

namespace tiv {

DelayedCapture::DelayedCapture(QObject *parent) : QObject(parent)
{
    ticker_.setInterval(1000);
    connect(&ticker_, &QTimer::timeout, this, &DelayedCapture::tick);
}

DelayedCapture::~DelayedCapture()
{
    closeWindow();
}

QWidget *DelayedCapture::countdownWindow() const
{
    return window_;
}

void DelayedCapture::start(const QString &kind, int seconds)
{
    closeWindow();
    kind_ = kind.isEmpty() ? QStringLiteral("full") : kind;
    remaining_ = std::clamp(seconds, MinSeconds, MaxSeconds);
    const bool keepFocusAway = kind_ == QLatin1String("window") || kind_ == QLatin1String("client");
    Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
    if (keepFocusAway)
        flags |= Qt::WindowDoesNotAcceptFocus;
    window_ = new QWidget(nullptr, flags);
    window_->setObjectName(QStringLiteral("DelayCountdown"));
    window_->setAttribute(Qt::WA_QuitOnClose, false);
    window_->setAttribute(Qt::WA_ShowWithoutActivating, keepFocusAway);
    window_->setStyleSheet(QStringLiteral("background: rgb(245,250,254); color: red; border: 1px solid rgb(90,140,200);"));
    label_ = new QLabel(window_);
    label_->setTextFormat(Qt::PlainText);
    label_->setAlignment(Qt::AlignCenter);
    QFont font = label_->font();
    font.setPixelSize(18);
    label_->setFont(font);
    auto *layout = new QVBoxLayout(window_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label_);
    window_->installEventFilter(this);
    showRemaining();
    window_->adjustSize();
    // A fixed size also makes tiling desktops (sway) float it instead of giving it a whole tile.
    window_->setFixedSize(std::max(window_->width() + 24, 260), 44);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window_->move(area.right() - window_->width() - 16, area.top() + 16);
    }
    window_->show();
    if (!keepFocusAway) {
        window_->raise();
        window_->activateWindow();
    }
    ticker_.start();
}

bool DelayedCapture::cancel()
{
    if (!running())
        return false;
    closeWindow();
    emit cancelled();
    return true;
}

void DelayedCapture::tick()
{
    if (--remaining_ > 0) {
        showRemaining();
        return;
    }
    const QString kind = kind_;
    closeWindow();
    // The window must be off the screen, and the desktop repainted, before the picture is taken.
    QTimer::singleShot(settleMilliseconds, this, [this, kind] { emit due(kind); });
}

void DelayedCapture::showRemaining()
{
    if (label_)
        label_->setText(FormatText(TxtDelayCountdown, {QString::number(remaining_)}));
}

void DelayedCapture::closeWindow()
{
    ticker_.stop();
    kind_.clear();
    remaining_ = 0;
    label_ = nullptr;
    if (window_) {
        window_->hide();
        window_->deleteLater();
    }
    window_ = nullptr;
}

bool DelayedCapture::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == window_ && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        cancel();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tiv
