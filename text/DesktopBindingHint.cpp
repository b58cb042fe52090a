#include "text/DesktopBindingHint.h"

#include <QStringList>

namespace tiv {

namespace {

// As a shell reads it, for the desktop runs the bound command through one.
QString shellWord(const QString &path)
{
    static const QString plain = QStringLiteral("/._-+");
    for (const QChar c : path) {
        if (!c.isLetterOrNumber() && !plain.contains(c))
            return QLatin1Char('\'') + QString(path).replace(QLatin1String("'"), QLatin1String("'\\''")) + QLatin1Char('\'');
    }
    return path;
}

}  // namespace

DesktopKind DesktopKindOf(const QString &currentDesktop)
{
    for (const QString &name : currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (name.compare(QLatin1String("sway"), Qt::CaseInsensitive) == 0)
            return DesktopKind::Sway;
        if (name.compare(QLatin1String("GNOME"), Qt::CaseInsensitive) == 0)
            return DesktopKind::Gnome;
        if (name.compare(QLatin1String("KDE"), Qt::CaseInsensitive) == 0)
            return DesktopKind::Kde;
    }
    return DesktopKind::Other;
}

QString DesktopBindingHint(DesktopKind desktop, const QString &programPath)
{
    const QString program = shellWord(programPath);
    QString hint = QStringLiteral("此桌面不让程序占用全局热键。请在桌面的键盘设置中把按键绑定到命令 %1 --capture full"
                                  "（全屏）、--capture window（窗口）、--capture client（窗口内容）、"
                                  "--capture region（区域）和 %1 --leave（退出截图模式）。")
                       .arg(program);
    switch (desktop) {
    case DesktopKind::Sway:
        hint += QStringLiteral("sway：在 ~/.config/sway/config 中加入 bindsym Ctrl+Shift+f exec %1 --capture full，其余同理，"
                               "再执行 swaymsg reload。")
                    .arg(program);
        break;
    case DesktopKind::Gnome:
        hint += QStringLiteral("GNOME：设置 → 键盘 → 查看及自定义快捷键 → 自定义快捷键 → “+”，命令填 %1 --capture full。")
                    .arg(program);
        break;
    case DesktopKind::Kde:
        hint += QStringLiteral("KDE：系统设置 → 键盘 → 快捷键 → 添加新项 → 命令或脚本，命令填 %1 --capture full。")
                    .arg(program);
        break;
    case DesktopKind::Other:
        break;
    }
    return hint;
}

}  // namespace tiv
