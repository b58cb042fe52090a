#include "text/InterfaceText.h"

#include <array>

namespace tiv {

QString TxtFolderSelect, TxtCurrentPath, TxtPleaseSelectPath, TxtPleaseEnterFolder, TxtFolderName,
    TxtChangeFileName, TxtName, TxtNewFolder, TxtInvalidFolderName, TxtDiskMissing,
    TxtSelectOneFile, TxtCurrentFile, TxtFileRecovery, TxtAbout, TxtRightClickMore,
    TxtTypeFolderNameHint, TxtSelectFiles, TxtAutoSavedAs, TxtConfirmDelete, TxtReminder, TxtLinks,
    TxtPathMissing, TxtConfirmDeleteFolder, TxtRenameFile, TxtIllegalPath, TxtSaveFailed,
    TxtRightClickHint, TxtConfirmExit;

QString ServerBaseA, ServerBaseB, ServerBaseC;

namespace {

struct TranslatedText {
    QString *target;
    const char *simplified;
    const char *traditional;
    const char *english;
};

const std::array<TranslatedText, 28> &languageTable()
{
    static const std::array<TranslatedText, 28> table{{
        {&TxtFolderSelect, "文件夹选择", "文件夾選擇", "select dir"},
        {&TxtCurrentPath, "当前路径", "當前路徑", "cur path"},
        {&TxtPleaseSelectPath, "请选择一个路径", "請選擇一個路徑", "Please select a path"},
        {&TxtPleaseEnterFolder, "请输入一个文件夹", "請輸入一個文件夾", "Please enter a path"},
        {&TxtFolderName, "文件夹名称", "文件夾名稱", "cur path"},
        {&TxtChangeFileName, "修改文件名称", "修改文件名稱", "updte file name"},
        {&TxtName, "名称", "名稱", "name"},
        {&TxtNewFolder, "新增文件夹", "新增文件夾", "Add path"},
        {&TxtInvalidFolderName, "请选择一个合法的文件夹名称", "請選擇一個合法的文件夾名稱",
         "Please Choose a valid path"},
        {&TxtDiskMissing, "磁盘%s不存在，请重选择一个路径。", "磁盤%s不存在，請重選擇一個路徑。",
         "Not exist disk:%s ,please reselect a path."},
        {&TxtSelectOneFile, "请选择一个文件", "請選擇一個文件", "Select a path"},
        {&TxtCurrentFile, "当前文件：%s", "當前文件：%s", "Current File：%s"},
        {&TxtFileRecovery, "文件恢复", "文件恢復", "File recovery"},
        {&TxtAbout, "关于", "關於", "About"},
        {&TxtRightClickMore, "鼠标右键有更多功能", "鼠標右鍵有更多功能",
         "Right click mouse right button for more ..."},
        {&TxtTypeFolderNameHint, "直接输入文件夹名称后，单击『Enter』将自动生成子文件夹",
         "直接輸入文件夾名稱後，單擊『Enter』將自動生成子文件夾",
         "Direct input file name，press enter key,the new path wile automatically generated"},
        {&TxtSelectFiles, "请选择一个或多个文件", "請選擇一個或多個文件",
         "Please select one or more pictures"},
        {&TxtAutoSavedAs, "自动保存为：%s", "自動保存為：%s", "saved to %s"},
        {&TxtConfirmDelete, "你确定要删除吗？", "你確定要刪除嗎？", "Sure you want to delte it？"},
        {&TxtReminder, "提醒", "提醒", "Riminder"},
        {&TxtLinks, "TIV软件下载,https://www.tivsoft.example/download/,网址导航,https://nav.example/",
         "TIV軟件下載,https://www.tivsoft.example/download/,網址導航,https://nav.example/",
         "TIV downloads,https://www.tivsoft.example/download/,Web directory,https://links.example/"},
        {&TxtPathMissing, "此路径不存在：%s", "此路徑不存在：%s", "Not exists path ：%s"},
        {&TxtConfirmDeleteFolder, "要删除文件夹吗", "要刪除文件夾嗎", "Sure you want to delte the path"},
        {&TxtRenameFile, "文件重命名", "文件重命名", "rename"},
        {&TxtIllegalPath, "不合法路径:%s,请重输入一个路径", "不合法路徑:%s,請重輸入一個路徑",
         "Illegal path: %s, please re-enter a path"},
        {&TxtSaveFailed, "保存失败%s", "保存失敗%s", "Save image failed: %s"},
        {&TxtRightClickHint, "鼠标右键有更多功能", "鼠標右鍵有更多功能",
         "Right click mouse to have more features"},
        {&TxtConfirmExit, "要退出系统吗?", "要退出系統嗎?", "Confirm to exit system?"},
    }};
    return table;
}

}  // namespace

QString AnnouncementServerBase()
{
    QString base = qEnvironmentVariable("TIVREVUDU_SERVER", QStringLiteral(TIV_ANNOUNCEMENT_SERVER));
    if (!base.endsWith(u'/'))
        base += u'/';
    return base;
}

void SelectLanguage(int language)
{
    try {
        ServerBaseA = ServerBaseB = ServerBaseC = AnnouncementServerBase();
    } catch (...) {
    }
    for (const TranslatedText &text : languageTable()) {
        const char *chosen = language == LangTraditionalChinese ? text.traditional
                             : language == LangEnglish         ? text.english
                                                               : text.simplified;
        *text.target = QString::fromUtf8(chosen);
    }
}

void InitInterfaceText()
{
    try {
        SelectLanguage(LangSimplifiedChinese);
        FillMainTexts();
    } catch (...) {
    }
}

QString FormatText(const QString &pattern, std::initializer_list<QString> values)
{
    QString out;
    auto next = values.begin();
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const bool placeholder = pattern[i] == u'%' && i + 1 < pattern.size() &&
                                 (pattern[i + 1] == u's' || pattern[i + 1] == u'd');
        if (placeholder && next != values.end()) {
            out += *next++;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

}  // namespace tiv
