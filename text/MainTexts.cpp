#include "text/InterfaceText.h"

#include <QRandomGenerator>

namespace tiv {

QString TxtAppTitle, TxtDontShowAgain, TxtPicturePreview, TxtDiskInserted, TxtDiskRemoved,
    TxtAutoSavedPicture, TxtCopying, TxtCopyDone, TxtSelectListPicture, TxtEditFormatsOnly,
    TxtPictureInfo, TxtHotkeyConflict, TxtEnterPictureName, TxtEnterPicturePath, TxtNoPictures,
    TxtSelectPictures, TxtSavedPicture, TxtTipRegionCapture, TxtTipCustomCapture,
    TxtTipPictureType, TxtTipDeletePicture, TxtTipSelectFolder, TxtRegionCaptureHelp,
    TxtRegionCaptureButtonHint, TxtChooseOneButton, TxtWatermarkSettings, TxtContinuousCapture,
    TxtSmartTip, TxtAutoToClipboard, TxtAutoSaveToFolder, TxtStartWithWindows, TxtAddText,
    TxtSetFont, TxtAddLine, TxtAddSingleArrow, TxtAddDoubleArrow, TxtAddCircle, TxtAddRoundRect,
    TxtAddRectangle, TxtSetPictureSize, TxtRestorePrevious, TxtRestoreNext, TxtZoomIn, TxtZoomOut,
    TxtActualSize, TxtBestFit, TxtSmartTip2;
QString TxtSaveFailedDiskFull, TxtSaveFailedNoPermission, TxtSettingsUnreadable;

QString UrlAnnounceNow, UrlAnnounceNext, UrlSoftList, UrlProductPage, UrlHelpDemo;

QString PickServerBase()
{
    // Three equal bases were meant to spread the load over mirrors; the draw is kept so a later
    // build can point them at different hosts.
    const int r = static_cast<int>(QRandomGenerator::global()->bounded(100));
    if (r < 34)
        return ServerBaseA;
    if (r < 68)
        return ServerBaseB;
    return ServerBaseC;
}

void FillMainTexts()
{
    UrlAnnounceNow = PickServerBase() + QStringLiteral("gg/sp/now/");
    UrlAnnounceNext = PickServerBase() + QStringLiteral("gg/sp/next/");
    UrlSoftList = PickServerBase() + QStringLiteral("soft/");
    UrlProductPage = PickServerBase() + QStringLiteral("sp/");
    UrlHelpDemo = PickServerBase() + QStringLiteral("demo/sp/");

    const struct {
        QString *target;
        const char *text;
    } texts[] = {
        {&TxtAppTitle, "TIVrevudu"},
        {&TxtDontShowAgain, "下次不再弹出"},
        {&TxtPicturePreview, "图片预览"},
        {&TxtDiskInserted, "可移动磁盘已插入。"},
        {&TxtDiskRemoved, "可移动磁盘已拔出"},
        {&TxtAutoSavedPicture, "自动保存图片为%s"},
        {&TxtCopying, "正在拷贝中...，已拷贝%s"},
        {&TxtCopyDone, "完成拷贝中，%s -> %s"},
        {&TxtSelectListPicture, "请选择图片列表中的一个图片。"},
        {&TxtEditFormatsOnly,
         "很抱歉，本软件只能编辑格式为bmp,jpg,jpeg的图片,你可以先用这三种格式的图片编辑后，"
         "在单击按钮[另存为]其他格式的图片。"},
        {&TxtPictureInfo, "图片实际宽度为%d,实际高度为%d,鼠标所在图片的坐标:[%d,%d]"},
        {&TxtHotkeyConflict, "热键冲突，请单击按钮『热键设置』，修改热键"},
        {&TxtEnterPictureName, "请输入图片名"},
        {&TxtEnterPicturePath, "请输入图片路径"},
        {&TxtNoPictures, "没有任何图片，请先截取图片。"},
        {&TxtSelectPictures, "请选择一个或多个图片。"},
        {&TxtSavedPicture, "已保存图片为%s"},
        {&TxtSaveFailedDiskFull, "保存失败%s：磁盘空间不足"},
        {&TxtSaveFailedNoPermission, "保存失败%s：没有写入的权限"},
        {&TxtSettingsUnreadable, "无法读取设置文件%s，它保持原样，本次的设置不会存入"},
        {&TxtTipRegionCapture, "智能提示：鼠标局部截屏 使用说明"},
        {&TxtTipCustomCapture, "智能提示：自定义截屏 使用说明"},
        {&TxtTipPictureType, "智能提示：图片类型选择"},
        {&TxtTipDeletePicture, "智能提示：删除图片"},
        {&TxtTipSelectFolder, "智能提示：选择文件夹路径"},
        {&TxtRegionCaptureHelp,
         "请移动鼠标到需要截屏的地方，按下鼠标后拖拉鼠标到结束点，松开鼠标，鼠标拖拉部分将自动截屏。"},
        {&TxtRegionCaptureButtonHint, "单击按钮『鼠标局部截图』,选择拖拉。。。"},
        {&TxtChooseOneButton, "请选择其中一个按钮"},
        {&TxtWatermarkSettings, "水印设置"},
        {&TxtContinuousCapture, "连续截图功能"},
        {&TxtSmartTip, "智能提示"},
        {&TxtAutoToClipboard, "截图自动放入剪贴板"},
        {&TxtAutoSaveToFolder, "自动保存到文件夹"},
        {&TxtStartWithWindows, "开机时自动启动"},
        {&TxtAddText, "在图片中加入文字"},
        {&TxtSetFont, "设置字体格式"},
        {&TxtAddLine, "加入直线"},
        {&TxtAddDoubleArrow, "加入双箭头"},
        {&TxtAddCircle, "加入圆形"},
        {&TxtAddRoundRect, "加入圆角矩形"},
        {&TxtAddRectangle, "加入长方形"},
        {&TxtSetPictureSize, "设置图片宽度和高度"},
        {&TxtRestorePrevious, "向前回复"},
        {&TxtRestoreNext, "向后恢复"},
        {&TxtZoomIn, "放大图片"},
        {&TxtZoomOut, "缩小图片"},
        {&TxtActualSize, "图片恢复到实际大小"},
        {&TxtBestFit, "图片最佳合适"},
        {&TxtSmartTip2, "智能提示"},
    };
    for (const auto &t : texts)
        *t.target = QString::fromUtf8(t.text);
    // The single-arrow button has no text of its own in the tables.
    TxtAddSingleArrow.clear();
}

}  // namespace tiv
