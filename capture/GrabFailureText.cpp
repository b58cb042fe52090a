#include "capture/GrabFailureText.h"

namespace tiv {

QString GrabFailureText(GrabFailure failure)
{
    switch (failure) {
    case GrabFailure::NoService:
        return QStringLiteral("截屏失败：此桌面没有向程序提供截屏服务，图片未保存");
    case GrabFailure::Refused:
        return QStringLiteral("截屏被桌面拒绝，图片未保存");
    case GrabFailure::NoActiveWindow:
        return QStringLiteral("截屏失败：没有可截取的活动窗口（请先点一下要截取的窗口），图片未保存");
    case GrabFailure::WindowUnknowable:
        return QStringLiteral("此桌面不允许程序查找活动窗口，无法截取窗口，图片未保存");
    case GrabFailure::PermissionNeeded:
        return QStringLiteral("桌面尚未允许本程序截屏，图片未保存。桌面只在本程序窗口处于前台时询问："
                              "请在本程序窗口中再截屏一次，桌面询问时选择允许（仍在屏幕上的旧询问已经作废，请先关闭）");
    case GrabFailure::Abandoned:
        return QStringLiteral("已不再等待桌面，截屏取消，图片未保存");
    case GrabFailure::None:
    case GrabFailure::Failed:
        break;
    }
    return QStringLiteral("截屏失败：桌面未能截取画面，图片未保存");
}

QString PermissionQuestionText()
{
    return QStringLiteral("桌面在首次截屏前询问是否允许本程序截屏：请在桌面的对话框中选择允许（按 Esc 放弃）");
}

QString AskAgainQuestion()
{
    return QStringLiteral("桌面拒绝了本程序截屏：此前在桌面的询问中选择了拒绝，桌面记住了这一回答，此后每次截屏都会被拒绝。\n\n"
                          "要让桌面在下次截屏时重新询问吗？");
}

QString AskAgainPromised()
{
    return QStringLiteral("桌面已忘记拒绝：下次截屏时桌面会重新询问，请选择允许");
}

QString HotkeysInDesktopSettingsText()
{
    return QStringLiteral("热键由桌面设置：请在桌面打开的快捷键设置中为本程序的截屏项设定按键，设定后在任何程序中都可使用");
}

QString WindowChooserText()
{
    return QStringLiteral("此桌面不告诉程序哪个窗口在前台，因此由桌面的截屏对话框选择窗口：请在其中选择要截取的窗口");
}

}  // namespace tiv
