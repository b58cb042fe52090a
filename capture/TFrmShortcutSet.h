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
        // Says why the row's hotkey cannot work: refused by the desktop, or a text that names nothing.
        QLabel *warning = nullptr;
        // Whether the last registration of the table's entry for this row was refused.
        bool conflict = false;
    };

    void FormCreate();
    void LoadHotkeyRows();
    void StoreHotkeyRows();
    void BtnConfirmClick();
    void BtnCloseClick();
    void BtnDefaultSetClick();
    // The rows as they are shown, in the table's order.
    HotkeyTable ShownEntries() const;

    QWidget *SbCenter;
    std::array<QLabel *, HotkeyCount> RowCaptions{};
    std::array<Row, HotkeyCount> Rows{};
    // Why the last 保存 stored nothing; empty otherwise.
    QLabel *SaveNotice;
    QPushButton *BtnDefaultSet, *BtnConfirm, *BtnClose;
    QPlainTextEdit *HotkeyLog;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    // Refreshes every row's warning: a change in one row can make another repeat it.
    bool showRowWarnings();
    HotkeyTable &table_;
    HotkeyConflicts &conflicts_;
};

}  // namespace tiv
