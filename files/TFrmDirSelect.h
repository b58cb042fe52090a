#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tiv {

class FolderTree;
class TFormAddPath;

// The folder chooser: a folders-only tree, the chosen folder's path, and buttons to make a new
// folder, confirm or cancel. Kept between uses; `SelectedPath` is what the last showing handed back,
// empty when it was cancelled (its user clears it before each showing).
class TFrmDirSelect : public QDialog {
    Q_OBJECT
public:
    explicit TFrmDirSelect(QWidget *parent = nullptr);

    void FormCreate();
    void BtnConfirmClick();
    void BtnCancelClick();
    void BtnAddPathClick();
    // Enter in EdtPath: the tree goes to the typed folder when it exists, else that is said;
    // nothing is made.
    void EdtPathReturnPressed();
    // EdtPath shows the folder selected in the tree.
    void ShowTreeSelection();

    QString SelectedPath;

    QLabel *Label1;
    QLineEdit *EdtPath;
    FolderTree *ShellTreeView1;
    QPushButton *BtnAddPath, *BtnConfirm, *BtnCancel;
    TFormAddPath *FormAddPath = nullptr;
};

}  // namespace tiv
