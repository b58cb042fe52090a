#include "app/CommandLine.h"

#include <QSet>

#include <algorithm>

namespace tiv {

namespace {

const QStringList CaptureKinds = {QStringLiteral("full"), QStringLiteral("window"), QStringLiteral("client"),
                                  QStringLiteral("region")};
// Kinds that no hotkey runs: read a region's text, pin a region to the screen.
const QStringList OtherKinds = {QStringLiteral("text"), QStringLiteral("pin")};

bool KnownKind(const QString &kind) { return CaptureKinds.contains(kind) || OtherKinds.contains(kind); }

// 1 to 10 seconds, else 0.
int DelayValue(const QString &text)
{
    bool ok = false;
    const int seconds = text.toInt(&ok);
    return ok && seconds >= 1 && seconds <= 10 ? seconds : 0;
}

// The toolkit's own options, with and without a value (both with one or two dashes).
const QSet<QString> ToolkitOptionsWithValue = {
    QStringLiteral("platform"), QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
    QStringLiteral("plugin"), QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowtitle"),
    QStringLiteral("qwindowicon"), QStringLiteral("style"), QStringLiteral("stylesheet"),
    QStringLiteral("display"), QStringLiteral("session"), QStringLiteral("qmljsdebugger")};
const QSet<QString> ToolkitFlags = {QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                                    QStringLiteral("nograb"), QStringLiteral("dograb"), QStringLiteral("sync")};

CommandLineRequest usage(const QString &problem)
{
    CommandLineRequest r;
    r.action = CommandLineRequest::Usage;
    r.problem = problem;
    return r;
}

QString optionName(const QString &argument)
{
    QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    return name.section(QLatin1Char('='), 0, 0);
}

}  // namespace

CommandLineRequest ParseCommandLine(const QStringList &arguments)
{
    CommandLineRequest request;
    bool chosen = false;
    int delay = 0;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        CommandLineRequest next;
        if (a == QLatin1String("--delay") || a.startsWith(QLatin1String("--delay="))) {
            const bool joined = a.contains(QLatin1Char('='));
            if (delay || (!joined && i + 1 >= arguments.size()))
                return usage(QStringLiteral("--delay needs one number of seconds, 1 to 10"));
            const QString value = joined ? a.section(QLatin1Char('='), 1) : arguments[++i];
            delay = DelayValue(value);
            if (!delay)
                return usage(QStringLiteral("--delay needs 1 to 10 seconds, not '%1'").arg(value));
            continue;
        }
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            next.action = CommandLineRequest::Help;
        } else if (a == QLatin1String("--version")) {
            next.action = CommandLineRequest::Version;
        } else if (a == QLatin1String("--leave")) {
            next.action = CommandLineRequest::Leave;
        } else if (a == QLatin1String("--capture") || a.startsWith(QLatin1String("--capture="))) {
            const bool joined = a.contains(QLatin1Char('='));
            if (!joined && i + 1 >= arguments.size())
                return usage(QStringLiteral("--capture needs one of full, window, client, region, text, pin"));
            next.action = CommandLineRequest::Capture;
            next.captureKind = joined ? a.section(QLatin1Char('='), 1) : arguments[++i];
            if (!KnownKind(next.captureKind))
                return usage(QStringLiteral("unknown capture kind '%1'").arg(next.captureKind));
        } else if (a.startsWith(QLatin1Char('-')) && ToolkitOptionsWithValue.contains(optionName(a))) {
            if (!a.contains(QLatin1Char('=')))
                ++i;
            continue;
        } else if (a.startsWith(QLatin1Char('-')) && ToolkitFlags.contains(optionName(a))) {
            continue;
        } else {
            return usage(QStringLiteral("unknown argument '%1'").arg(a));
        }
        if (chosen)
            return usage(QStringLiteral("give one command at a time"));
        request = next;
        chosen = true;
    }
    if (delay) {
        // Alone it delays the kind of capture chosen last.
        if (chosen && request.action != CommandLineRequest::Capture)
            return usage(QStringLiteral("--delay goes with --capture only"));
        request.action = CommandLineRequest::Capture;
        request.delaySeconds = delay;
    }
    return request;
}

QString RequestMessage(const CommandLineRequest &request)
{
    switch (request.action) {
    case CommandLineRequest::Capture:
        return QStringLiteral("capture ") + (request.captureKind.isEmpty() ? QStringLiteral("last") : request.captureKind)
               + (request.delaySeconds ? QStringLiteral(" delay %1").arg(request.delaySeconds) : QString());
    case CommandLineRequest::Leave: return QStringLiteral("leave");
    default: return QStringLiteral("show");
    }
}

CommandLineRequest RequestFromMessage(const QString &message)
{
    CommandLineRequest request;
    const QStringList words = message.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const bool delayed = words.size() == 4 && words[2] == QLatin1String("delay") && DelayValue(words[3]);
    const bool lastKind = words.size() > 1 && words[1] == QLatin1String("last") && delayed;
    if ((words.size() == 2 || delayed) && words[0] == QLatin1String("capture") && (KnownKind(words[1]) || lastKind)) {
        request.action = CommandLineRequest::Capture;
        request.captureKind = lastKind ? QString() : words[1];
        request.delaySeconds = delayed ? DelayValue(words[3]) : 0;
    } else if (words == QStringList{QStringLiteral("leave")}) {
        request.action = CommandLineRequest::Leave;
    } else if (words != QStringList{QStringLiteral("show")}) {
        request = usage(QStringLiteral("unknown request"));
    }
    return request;
}

int HotkeyIdOfKind(const QString &kind)
{
    return std::max(0, int(CaptureKinds.indexOf(kind)) + 1);
}

int HotkeyIdOf(const CommandLineRequest &request)
{
    if (request.action == CommandLineRequest::Capture)
        return HotkeyIdOfKind(request.captureKind);
    return request.action == CommandLineRequest::Leave ? 5 : 0;
}

QString UsageText()
{
    return QStringLiteral(
        "Usage: TIVrevudu [[--delay N] --capture full|window|client|region|text|pin | --leave | --help | --version]\n"
        "\n"
        "Without arguments the program starts, or brings its running copy forward.\n"
        "  --capture full     capture the whole desktop\n"
        "  --capture window   capture the active window with its frame\n"
        "  --capture client   capture the active window's content\n"
        "  --capture region   freeze the desktop and drag out a region\n"
        "  --capture text     drag out a region and read its text (to the clipboard)\n"
        "  --capture pin      drag out a region and pin it to the screen\n"
        "  --delay N          wait N seconds (1 to 10) before the capture; alone, the kind\n"
        "                     chosen last in the delayed capture dialog; Esc cancels\n"
        "  --leave            leave capture mode\n"
        "The commands act on the running copy, which is started when none runs; bind them to keys\n"
        "in the desktop's keyboard settings where the desktop gives programs no hotkeys.\n"
        "  --help             show this text\n"
        "  --version          show the version\n");
}

QString VersionText()
{
    return QStringLiteral("TIVrevudu %1\n").arg(QLatin1String(TIV_VERSION));
}

}  // namespace tiv
