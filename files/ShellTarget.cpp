#include "files/ShellTarget.h"

#include <QFileInfo>
#include <QUrl>

#include <algorithm>

namespace tiv {

namespace {

// Longer texts are no address a page or a user means; browsers refuse them too.
constexpr qsizetype kMaxWebAddressLength = 2048;

bool hasControlCharacter(const QString &text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
}

}  // namespace

std::optional<QString> WebAddressToOpen(const QString &text)
{
    const QString address = text.trimmed();
    qsizetype schemeLength = 0;
    if (address.startsWith(u"http://", Qt::CaseInsensitive))
        schemeLength = 7;
    else if (address.startsWith(u"https://", Qt::CaseInsensitive))
        schemeLength = 8;
    if (schemeLength == 0 || address.size() > kMaxWebAddressLength || hasControlCharacter(address))
        return std::nullopt;
    const QUrl url(address);
    if (!url.isValid() || url.host().isEmpty())
        return std::nullopt;
    return address;
}

ShellTarget DecideShellTarget(const QString &target, const std::function<bool(const QString &)> &exists)
{
    if (const auto address = WebAddressToOpen(target))
        return {ShellTarget::Kind::WebAddress, *address};
    if (!target.isEmpty() && exists(target))
        return {ShellTarget::Kind::LocalPath, target};
    const QString bare = target.trimmed();
    if (bare.isEmpty() || bare.contains(u':') || bare.startsWith(u'/'))
        return {};
    if (const auto address = WebAddressToOpen(QStringLiteral("http://") + bare))
        return {ShellTarget::Kind::WebAddress, *address};
    return {};
}

ShellTarget DecideShellTarget(const QString &target)
{
    return DecideShellTarget(target, [](const QString &path) { return QFileInfo::exists(path); });
}

}  // namespace tiv
