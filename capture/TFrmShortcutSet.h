#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace tiv {

// The hotkey settings dialog. It is made on first use and then kept; its hidden memo collects one
// line per hotkey registration.
class TFrmShortcutSet : public QDialog {
    Q_OBJECT
public:
    explicit TFrmShortcutSet(QWidget *parent = nullptr);
    QPlainTextEdit *HotkeyLog;
};

}  // namespace tiv
