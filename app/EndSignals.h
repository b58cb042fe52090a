#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace tiv {

// Turns SIGTERM, SIGINT and SIGHUP (a logout, a shutdown, Ctrl+C in a terminal) into a call on the
// interface thread, so the program leaves through its normal exit path and keeps its settings.
class EndSignals : public QObject {
public:
    explicit EndSignals(std::function<void()> onEnd, QObject *parent = nullptr);
    ~EndSignals() override;

private:
    std::function<void()> onEnd_;
    QSocketNotifier *notifier_ = nullptr;
};

}  // namespace tiv
