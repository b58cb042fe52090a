#pragma once

#include <QApplication>

namespace tiv {

// The application object. An error that escapes a handler ends there without a word, so the
// user never sees a crash box for a failed command.
class TivApplication : public QApplication {
public:
    TivApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

}  // namespace tiv
