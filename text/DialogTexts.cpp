#include "text/DialogTexts.h"

namespace tiv {

const QString TxtHotkeyRowCaptions[5] = {
    QStringLiteral("全屏截取"), QStringLiteral("当前窗体截图"), QStringLiteral("当前活动区域截图"),
    QStringLiteral("鼠标区域截屏"), QStringLiteral("退出鼠标区域截屏"),
};

const QString TxtHotkeyConflictMark = QStringLiteral("此快捷键冲突，请修改");
const QString TxtHotkeyKeyMissing = QStringLiteral("请输入按键");
const QString TxtHotkeyKeyUnknown = QStringLiteral("无此按键，请修改");
const QString TxtHotkeyModifierUnknown = QStringLiteral("无此组合键，请修改");
const QString TxtHotkeyRepeated = QStringLiteral("与上面的热键相同，请修改");
const QString TxtHotkeyNotSaved = QStringLiteral("红字标出的热键无法使用，请修改后再保存");

const QString TxtFolderNotWritable = QStringLiteral("不能在此文件夹中新建文件夹，它不允许写入：%s");
const QString TxtFolderDiskFull = QStringLiteral("磁盘已满，不能新建文件夹：%s");

}  // namespace tiv
