#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace tiv {

// What opening a target with the desktop's default handler comes down to.
struct ShellTarget {
    enum class Kind { Nothing, LocalPath, WebAddress };
    Kind kind = Kind::Nothing;
    QString text;  // the path or the address to hand on
    bool operator==(const ShellTarget &) const = default;
};

// An existing file or folder opens as itself. Otherwise the text is taken as a web address, with
// "http://" put in front when it holds no ":" and does not start with "/" (a missing local path).
// Texts from remote pages come through here, so only http and https addresses are ever handed on.
ShellTarget DecideShellTarget(const QString &target, const std::function<bool(const QString &)> &exists);
ShellTarget DecideShellTarget(const QString &target);  // tested against the real file system

// The address trimmed when it is a plain http or https address with a host, at most 2,048
// characters long, else nothing. For callers that must never open a local file, such as links
// taken from web pages.
std::optional<QString> WebAddressToOpen(const QString &text);

}  // namespace tiv
