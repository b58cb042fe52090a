#include "SkinTable.h"

namespace skin {

namespace {

Picture bmp(const char *name, int w, int h, const char *label, Kind kind = Kind::Button)
{
    return {QString::fromLatin1(name), QStringLiteral("BMP"), QSize(w, h), kind, QString::fromUtf8(label)};
}

Picture jpg(const char *name, int w, int h, Kind kind, const char *label = "")
{
    return {QString::fromLatin1(name), QStringLiteral("JPG"), QSize(w, h), kind, QString::fromUtf8(label)};
}

}  // namespace

const std::vector<Picture> &AllPictures()
{
    static const std::vector<Picture> pictures = {
        // Faces of the main window's buttons, labels as the buttons say them.
        bmp("BtnMouseAreatPIC", 122, 25, "鼠标局部截屏"),
        bmp("BtnFullScreenCut", 123, 25, "全屏幕截图"),
        bmp("BtnUDCutScreen", 122, 25, "自定义截屏"),
        bmp("BtnAddWatermark", 122, 25, "加入水印"),
        bmp("BtnPicSaveAs", 122, 25, "图片另存为"),
        bmp("BtnOpenAPic", 123, 25, "打开图片"),
        bmp("BtnDeletePic", 124, 25, "删除图片"),
        bmp("BtnRenamePic", 124, 25, "图片重命名"),
        bmp("BtnOpenByPaintB", 124, 25, "在画图中打开"),
        bmp("BtnPicFullScreen", 122, 25, "图片全屏显示"),
        bmp("BtnSaveToClipboard", 122, 25, "保存到剪贴板"),
        bmp("BtnSetHotkey", 122, 25, "热键设置"),
        bmp("BtnHelp", 122, 25, "帮助文档"),
        bmp("BtnAbout", 122, 25, "关于..."),
        bmp("BtnExit", 122, 25, "退出"),
        bmp("opendir", 122, 25, "打开所在文件夹"),
        bmp("selectpath", 87, 25, "选择路径"),
        bmp("BtnSPSaveImg", 56, 25, "保存"),
        bmp("BtnOtherFun", 122, 25, "其他功能"),
        bmp("cCoutinueCut", 87, 19, "连续截图", Kind::CheckOn),
        bmp("ncCoutinueCut", 87, 19, "连续截图", Kind::CheckOff),
        // Backgrounds of the main window.
        jpg("topavert", 1925, 65, Kind::Banner, "屏幕截图助手"),
        jpg("ImgPicFormJ", 1214, 45, Kind::RowBackdrop),
        jpg("ImgFuntoolbar", 1600, 40, Kind::RowBackdrop),
        jpg("ImgSPPicName", 161, 25, Kind::FieldPanel, "图片名称"),
        jpg("ImgSPIncPre", 162, 21, Kind::FieldPanel, "增量前缀"),
        // Faces of the other windows, sized to the controls that show them.
        bmp("confirm", 75, 25, "确定"),
        bmp("cancel", 75, 25, "取消"),
        bmp("newdir", 87, 25, "新建文件夹"),
        bmp("BtnSpSelectPicAdd", 87, 25, "选择图片"),
        bmp("BtnClose", 75, 25, "关闭"),
        bmp("BtnSpMouseCutScreen", 122, 25, "鼠标局部截屏"),
        bmp("BtnSPFullScreenC", 122, 26, "全屏幕截图"),
        bmp("BtnSpExistMainWin", 122, 26, "返回主窗口"),
        bmp("HotkeyDefault", 57, 26, "默认"),
        bmp("HotkeySave", 57, 26, "保存"),
        bmp("HotkeyClose", 57, 26, "关闭"),
        jpg("ImgSpWaterMarkType", 200, 24, Kind::Heading, "水印类型"),
        jpg("SpImgPreview", 200, 24, Kind::Heading, "水印预览"),
        jpg("helpdoc", 480, 320, Kind::AboutCard, "屏幕截图助手"),
    };
    return pictures;
}

}  // namespace skin
