#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QLabel;
class QWidget;

namespace tiv {

// Esc is taken from the whole desktop under this hotkey id only while a countdown runs, so that
// it also cancels while the window to be captured has the focus.
constexpr int HotkeyCancelDelay = 6;

// A capture that waits a few seconds first, for a menu to be opened or a window to be brought
// forward. A small window in the corner counts the seconds down; it leaves the screen before the
// capture, which comes `settleMilliseconds` later so that the desktop has repainted where it stood.
class DelayedCapture : public QObject {
    Q_OBJECT
public:
    static constexpr int MinSeconds = 1;
    static constexpr int MaxSeconds = 10;

    explicit DelayedCapture(QObject *parent = nullptr);
    ~DelayedCapture() override;

    // Starts the countdown for a capture kind (full, window, client, region or text), replacing a
    // countdown already running. Seconds outside 1 to 10 are brought into that range. The window
    // capture's countdown never takes the focus, which must stay with the window to be captured.
    void start(const QString &kind, int seconds);
    // Ends a running countdown without a capture; false when none ran.
    bool cancel();

    bool running() const { return kind_.size() > 0; }
    int remainingSeconds() const { return remaining_; }
    // The countdown window, while one is shown.
    QWidget *countdownWindow() const;

    int settleMilliseconds = 150;

signals:
    // The time is up and the countdown window is gone: capture now.
    void due(const QString &kind);
    void cancelled();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void tick();
    void showRemaining();
    void closeWindow();

    QString kind_;
    int remaining_ = 0;
    QTimer ticker_;
    QPointer<QWidget> window_;
    QLabel *label_ = nullptr;
};

}  // namespace tiv
