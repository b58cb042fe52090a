#include "app/CommandLine.h"

#include "app/PlainCommandLine.h"

namespace tiv {

namespace {

static_assert(int(CommandLineRequest::Usage) == int(PlainRequest::Usage), "the two readings share their actions");

CommandLineRequest usage(const QString &problem)
{
    CommandLineRequest r;
    r.action = CommandLineRequest::Usage;
    r.problem = problem;
    return r;
}

bool KnownKind(const QString &kind) { return KnownCaptureKind(kind.toStdString()); }

int DelayValue(const QString &text) { return CaptureDelayValue(text.toStdString()); }

CommandLineRequest requestFromLine(const QString &line)
{
    CommandLineRequest request;
    const QStringList words = line.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
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

}  // namespace

CommandLineRequest ParseCommandLine(const QStringList &arguments)
{
    std::vector<std::string> words;
    for (const QString &argument : arguments)
        words.push_back(argument.toLocal8Bit().toStdString());
    const PlainRequest plain = ParsePlainCommandLine(words);
    CommandLineRequest request;
    request.action = CommandLineRequest::Action(plain.action);
    request.captureKind = QString::fromLocal8Bit(plain.captureKind);
    request.delaySeconds = plain.delaySeconds;
    request.problem = QString::fromLocal8Bit(plain.problem);
    return request;
}

QString RequestMessage(const CommandLineRequest &request)
{
    PlainRequest plain;
    plain.action = PlainRequest::Action(request.action);
    plain.captureKind = request.captureKind.toStdString();
    plain.delaySeconds = request.delaySeconds;
    plain.activationToken = request.activationToken.toStdString();
    return QString::fromStdString(PlainRequestMessage(plain));
}

CommandLineRequest RequestFromMessage(const QString &message)
{
    // Newer starters add a line with the launcher's activation token.
    const QStringList lines = message.split(QLatin1Char('\n'));
    CommandLineRequest request = requestFromLine(lines.first());
    const QStringList token = lines.value(1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (request.action != CommandLineRequest::Usage && token.size() == 2
        && token[0] == QLatin1String(ActivationTokenWord.data(), qsizetype(ActivationTokenWord.size())))
        request.activationToken = token[1];
    return request;
}

int HotkeyIdOfKind(const QString &kind)
{
    return HotkeyIdOfCaptureKind(kind.toStdString());
}

int HotkeyIdOf(const CommandLineRequest &request)
{
    if (request.action == CommandLineRequest::Capture)
        return HotkeyIdOfKind(request.captureKind);
    return request.action == CommandLineRequest::Leave ? 5 : 0;
}

QString UsageText()
{
    return QString::fromUtf8(UsageLines());
}

QString VersionText()
{
    return QString::fromStdString(VersionLine());
}

}  // namespace tiv
