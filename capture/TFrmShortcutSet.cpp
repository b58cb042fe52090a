#include "capture/TFrmShortcutSet.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace tiv {

TFrmShortcutSet::TFrmShortcutSet(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmShortcutSet"));
    setWindowTitle(QStringLiteral("热键设置"));
    auto *layout = new QVBoxLayout(this);
    HotkeyLog = new QPlainTextEdit(this);
    HotkeyLog->setObjectName(QStringLiteral("HotkeyLog"));
    HotkeyLog->setReadOnly(true);
    HotkeyLog->hide();
    layout->addWidget(HotkeyLog);
}

}  // namespace tiv
