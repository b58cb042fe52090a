#include "text/FeatureTexts.h"

namespace tiv {

const QString TxtMosaic = QStringLiteral("马赛克");
const QString TxtMosaicTip = QStringLiteral("在图片上拖出一个矩形，把其中的内容打上马赛克或模糊，保存后无法还原");
const QString TxtMosaicAuto = QStringLiteral("马赛克（块大小按图片自动选择）");
const QString TxtMosaicBlock = QStringLiteral("马赛克，每块 %s 像素");
const QString TxtMosaicBlur = QStringLiteral("模糊");
const QString TxtMosaicNoSnapshot =
    QStringLiteral("内存不足，这次马赛克没有存入历史记录，无法退回到它之前；更早的记录仍然可用。");

const QString TxtDelayMenu = QStringLiteral("延时截图...");
const QString TxtDelayFull = QStringLiteral("全屏幕");
const QString TxtDelayWindow = QStringLiteral("当前窗口");
const QString TxtDelayRegion = QStringLiteral("鼠标局部区域");
const QString TxtDelaySeconds = QStringLiteral("延时（秒）：");
const QString TxtDelayKind = QStringLiteral("截取：");
const QString TxtDelayCountdown = QStringLiteral("%s 秒后截图，按 Esc 取消");
const QString TxtDelayCancelled = QStringLiteral("延时截图已取消");
const QString TxtDelayStart = QStringLiteral("开始");
const QString TxtDelayCancel = QStringLiteral("取消");
const QString TxtDelayTitle = QStringLiteral("延时截图");

const QString TxtPinMenu = QStringLiteral("贴图");
const QString TxtPinCanvas = QStringLiteral("把当前图片贴在屏幕上");
const QString TxtPinRegion = QStringLiteral("截取区域贴在屏幕上");
const QString TxtPinCopy = QStringLiteral("复制到剪贴板");
const QString TxtPinSave = QStringLiteral("另存为...");
const QString TxtPinClose = QStringLiteral("关闭贴图");
const QString TxtPinActualSize = QStringLiteral("实际大小");
const QString TxtPinTip = QStringLiteral("拖动可移动，滚轮缩放，双击或按 Esc 关闭，右键有更多功能");
const QString TxtPinNoPicture = QStringLiteral("画布上没有图片可以贴出");
// Short enough for the hint line of a window tiled to half a small screen.
const QString TxtPinNotAbove = QStringLiteral("此桌面不让程序置顶窗口：贴图是普通窗口，可在窗口菜单中置顶");
const QString TxtPinFloating = QStringLiteral("sway 无法置顶：贴图浮于平铺窗口之上，可被其他浮动窗口盖住");
const QString TxtPinCopied = QStringLiteral("贴图已复制到剪贴板");
const QString TxtPinSaved = QStringLiteral("贴图已保存为：%s");
const QString TxtPinToolbar = QStringLiteral("区域贴图");

const QString TxtOcrMenu = QStringLiteral("文字识别");
const QString TxtOcrCanvas = QStringLiteral("识别当前图片中的文字");
const QString TxtOcrRegion = QStringLiteral("截取区域识别文字");
const QString TxtOcrToolbar = QStringLiteral("文字识别");
const QString TxtOcrBusy = QStringLiteral("正在识别文字……按 Esc 放弃");
const QString TxtOcrFound = QStringLiteral("识别出 %s 个字符，已放入剪贴板");
const QString TxtOcrNone = QStringLiteral("没有识别出文字");
const QString TxtOcrCancelled = QStringLiteral("文字识别已放弃");
const QString TxtOcrMissingData = QStringLiteral("缺少文字识别的语言数据，请安装软件包 %s");
const QString TxtOcrFailed = QStringLiteral("文字识别无法启动：%s");
const QString TxtOcrTitle = QStringLiteral("识别出的文字");
const QString TxtOcrCopy = QStringLiteral("复制");
const QString TxtOcrClose = QStringLiteral("关闭");
const QString TxtOcrNoPicture = QStringLiteral("画布上没有图片可以识别");
const QString TxtOcrLoading = QStringLiteral("正在载入文字识别模型……");

}  // namespace tiv
