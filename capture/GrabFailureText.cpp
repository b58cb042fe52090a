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
    case GrabFailure::None:
    case GrabFailure::Failed:
        break;
    }
    return QStringLiteral("截屏失败：桌面没有给出画面，图片未保存");
}

}  // namespace tiv
