#include "files/TFrmDirSelect.h"

#include "common/ButtonFace.h"
#include "files/DialogMessage.h"
#include "files/FolderTree.h"
#include "files/PicturePath.h"
#include "files/TFormAddPath.h"
#include "text/DialogTexts.h"
#include "text/InterfaceText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cerrno>
#include <sys/stat.h>

namespace tiv {

namespace {

// The folder a typed path names, cleaned; empty when it names none. A leading "~" is the home
// folder, as people type it; any other relative path would depend on where the program was started.
QString TypedFolder(const QString &typed)
{
    QString path = typed;
    if (path == u"~" || path.startsWith(QStringLiteral("~/")))
        path.replace(0, 1, QDir::homePath());
    if (!QDir::isAbsolutePath(path) || !QFileInfo(path).isDir())
        return {};
    return QDir::cleanPath(path);
}

// Why `folder` could not be made. A folder that takes nothing new, or a full disk, is not the fault
// of the name the user typed.
QString NewFolderFailure(const QString &folder)
{
    // The same request once more, for the system's reason.
    const int error = ::mkdir(QFile::encodeName(folder).constData(), 0777) == 0 ? 0 : errno;
    const QString inside = QFileInfo(folder).path();
    if (error == EACCES || error == EPERM || error == EROFS)
        return FormatText(TxtFolderNotWritable, {inside});
    if (error == ENOSPC || error == EDQUOT)
        return FormatText(TxtFolderDiskFull, {inside});
    return TxtInvalidFolderName;
}

}  // namespace

TFrmDirSelect::TFrmDirSelect(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmDirSelect"));
    resize(421, 363);
    Label1 = new QLabel(this);
    Label1->setTextFormat(Qt::PlainText);
    EdtPath = new QLineEdit(this);
    EdtPath->setObjectName(QStringLiteral("EdtPath"));
    ShellTreeView1 = new FolderTree(this);
    ShellTreeView1->setObjectName(QStringLiteral("ShellTreeView1"));
    ShellTreeView1->setRootIsDecorated(false);
    ShellTreeView1->setIndentation(19);
    // A double-click confirms; it should not also fold the folder away.
    ShellTreeView1->setExpandsOnDoubleClick(false);
    BtnAddPath = NewFaceButton(this, "BtnAddPath", "newdir", "新建文件夹");
    BtnAddPath->setToolTip(QStringLiteral("新建文件夹"));
    BtnConfirm = NewFaceButton(this, "BtnConfirm", "confirm", "确定");
    BtnCancel = NewFaceButton(this, "BtnCancel", "cancel", "取消");

    auto *column = new QVBoxLayout(this);
    auto *pathRow = new QHBoxLayout;
    pathRow->addWidget(Label1);
    pathRow->addWidget(EdtPath, 1);
    column->addLayout(pathRow);
    column->addWidget(ShellTreeView1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BtnAddPath);
    buttons->addStretch(1);
    buttons->addWidget(BtnConfirm);
    buttons->addWidget(BtnCancel);
    column->addLayout(buttons);

    connect(BtnConfirm, &QPushButton::clicked, this, &TFrmDirSelect::BtnConfirmClick);
    connect(BtnCancel, &QPushButton::clicked, this, &TFrmDirSelect::BtnCancelClick);
    connect(BtnAddPath, &QPushButton::clicked, this, &TFrmDirSelect::BtnAddPathClick);
    connect(EdtPath, &QLineEdit::returnPressed, this, &TFrmDirSelect::EdtPathReturnPressed);
    connect(ShellTreeView1, &QTreeWidget::itemDoubleClicked, this, &TFrmDirSelect::BtnConfirmClick);
    // Every change of the selection, by mouse or by keys, shows at once.
    connect(ShellTreeView1, &QTreeWidget::currentItemChanged, this, &TFrmDirSelect::ShowTreeSelection);
    connect(ShellTreeView1, &QTreeWidget::itemPressed, this, &TFrmDirSelect::ShowTreeSelection);
    connect(ShellTreeView1, &QTreeWidget::itemSelectionChanged, this, &TFrmDirSelect::ShowTreeSelection);
    FormCreate();
}

void TFrmDirSelect::FormCreate()
{
    setWindowTitle(TxtFolderSelect);
    Label1->setText(TxtCurrentPath);
}

void TFrmDirSelect::ShowTreeSelection()
{
    EdtPath->setText(ShellTreeView1->selectedPath());
}

void TFrmDirSelect::BtnConfirmClick()
{
    // The field is what the user sees and may have typed over; the tree only fills it in.
    const QString typed = EdtPath->text().trimmed();
    if (!typed.isEmpty()) {
        const QString folder = TypedFolder(typed);
        if (folder.isEmpty()) {
            ShowDialogMessage(this, FormatText(TxtPathMissing, {typed}));
            return;
        }
        SelectedPath = folder;
        accept();
        return;
    }
    const QString path = ShellTreeView1->selectedPath();
    if (path.trimmed().isEmpty())
        ShowDialogMessage(this, TxtPleaseSelectPath);
    SelectedPath = path;
    accept();
}

void TFrmDirSelect::BtnCancelClick()
{
    reject();
}

void TFrmDirSelect::EdtPathReturnPressed()
{
    const QString typed = EdtPath->text().trimmed();
    const QString folder = TypedFolder(typed);
    if (!folder.isEmpty())
        ShellTreeView1->moveTo(folder);
    else if (!typed.isEmpty())
        ShowDialogMessage(this, FormatText(TxtPathMissing, {typed}));
}

void TFrmDirSelect::BtnAddPathClick()
{
    // Without a selected folder there is nowhere to make one.
    const QString parent = ShellTreeView1->selectedPath();
    if (parent.isEmpty())
        return;
    if (!FormAddPath)
        FormAddPath = new TFormAddPath(this);
    FormAddPath->Confirmed = false;
    FormAddPath->exec();
    if (!FormAddPath->Confirmed)
        return;
    const QString made = JoinFolderAndName(parent, FormAddPath->FolderName);
    if (!QDir().mkpath(made) || !QFileInfo(made).isDir()) {
        ShowDialogMessage(this, NewFolderFailure(made));
        return;
    }
    ShellTreeView1->moveTo(made);
}

}  // namespace tiv
