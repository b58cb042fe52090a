#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QSpinBox;

namespace tiv {

class IniFile;

// What a delayed capture takes and after how long; the last choice is kept in the settings file.
struct DelayChoice {
    QString kind = QStringLiteral("full");  // full, window or region
    int seconds = 3;

    // Section "delaycapture", keys "DelayKind" and "DelaySeconds"; values out of range read as
    // the defaults.
    static DelayChoice load(const IniFile &ini);
    void save(IniFile &ini) const;
};

// Asks for the kind of a delayed capture and its seconds.
class DelayDialog : public QDialog {
    Q_OBJECT
public:
    explicit DelayDialog(QWidget *parent = nullptr);
    void setChoice(const DelayChoice &choice);
    DelayChoice choice() const;

    QComboBox *Kind;
    QSpinBox *Seconds;
};

}  // namespace tiv
