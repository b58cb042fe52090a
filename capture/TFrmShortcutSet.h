#pragma once

#include "capture/HotkeyTable.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tiv {

class CellCaption;

// The hotkey settings dialog. It is made on first use and then kept; its hidden memo collects one
// line per hotkey registration. It edits the table and the conflict flags in memory only: the
// hotkeys are registered again at the next capture mode, and the file is written at exit.
class TFrmShortcutSet : public QDialog {
    Q_OBJECT
public:
    TFrmShortcutSet(HotkeyTable &table, HotkeyConflicts &conflicts, QWidget *parent = nullptr);

    struct Row {
        QComboBox *modifier1 = nullptr, *modifier2 = nullptr;
        QLineEdit *key = nullptr;
        // Says that the hotkey conflicts, or that the key box names no key.
        QLabel *warning = nullptr;
        // Whether the last registration of this row's hotkey was refused.
        bool conflict = false;
    };

    void FormCreate();
    void LoadHotkeyRows();
    void StoreHotkeyRows();
    void BtnConfirmClick();
    void BtnCloseClick();
    void BtnDefaultSetClick();

    QWidget *SbCenter;
    std::array<CellCaption *, HotkeyCount> RowCaptions{};
    std::array<Row, HotkeyCount> Rows{};
    QPushButton *BtnDefaultSet, *BtnConfirm, *BtnClose;
    QPlainTextEdit *HotkeyLog;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showRowWarning(int row);
    HotkeyTable &table_;
    HotkeyConflicts &conflicts_;
};

}  // namespace tiv
