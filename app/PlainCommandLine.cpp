#include "app/PlainCommandLine.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace tiv {

namespace {

// In the order of their hotkeys.
constexpr std::array<std::string_view, 4> CaptureKinds = {"full", "window", "client", "region"};
// Kinds that no hotkey runs: read a region's text, pin a region to the screen.
constexpr std::array<std::string_view, 2> OtherKinds = {"text", "pin"};

// The toolkit's own options, with and without a value (both with one or two dashes).
constexpr std::array<std::string_view, 12> ToolkitOptionsWithValue = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowtitle",
    "qwindowicon", "style", "stylesheet", "display", "session", "qmljsdebugger"};
constexpr std::array<std::string_view, 5> ToolkitFlags = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

template <std::size_t N>
bool among(const std::array<std::string_view, N> &list, std::string_view word)
{
    return std::find(list.begin(), list.end(), word) != list.end();
}

PlainRequest usage(std::string problem)
{
    PlainRequest r;
    r.action = PlainRequest::Usage;
    r.problem = std::move(problem);
    return r;
}

std::string_view optionName(std::string_view argument)
{
    argument.remove_prefix(argument.starts_with("--") ? 2 : 1);
    return argument.substr(0, argument.find('='));
}

// "--name" alone, or "--name=value" (then the value in `value`).
bool isOption(std::string_view argument, std::string_view name, std::string_view *value, bool *joined)
{
    if (!argument.starts_with(name))
        return false;
    argument.remove_prefix(name.size());
    *joined = !argument.empty();
    if (*joined && argument[0] != '=')
        return false;
    *value = *joined ? argument.substr(1) : std::string_view();
    return true;
}

}  // namespace

bool KnownCaptureKind(std::string_view kind)
{
    return among(CaptureKinds, kind) || among(OtherKinds, kind);
}

int HotkeyIdOfCaptureKind(std::string_view kind)
{
    const auto found = std::find(CaptureKinds.begin(), CaptureKinds.end(), kind);
    return found == CaptureKinds.end() ? 0 : int(found - CaptureKinds.begin()) + 1;
}

int CaptureDelayValue(std::string_view text)
{
    int seconds = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    return error == std::errc() && end == text.data() + text.size() && seconds >= 1 && seconds <= 10 ? seconds : 0;
}

PlainRequest ParsePlainCommandLine(const std::vector<std::string> &arguments)
{
    PlainRequest request;
    bool chosen = false;
    int delay = 0;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view a = arguments[i];
        PlainRequest next;
        std::string_view value;
        bool joined = false;
        if (isOption(a, "--delay", &value, &joined)) {
            if (delay || (!joined && i + 1 >= arguments.size()))
                return usage("--delay needs one number of seconds, 1 to 10");
            if (!joined)
                value = arguments[++i];
            delay = CaptureDelayValue(value);
            if (!delay)
                return usage("--delay needs 1 to 10 seconds, not '" + std::string(value) + "'");
            continue;
        }
        if (a == "--help" || a == "-h") {
            next.action = PlainRequest::Help;
        } else if (a == "--version") {
            next.action = PlainRequest::Version;
        } else if (a == "--leave") {
            next.action = PlainRequest::Leave;
        } else if (isOption(a, "--capture", &value, &joined)) {
            if (!joined && i + 1 >= arguments.size())
                return usage("--capture needs one of full, window, client, region, text, pin");
            next.action = PlainRequest::Capture;
            next.captureKind = joined ? std::string(value) : arguments[++i];
            if (!KnownCaptureKind(next.captureKind))
                return usage("unknown capture kind '" + next.captureKind + "'");
        } else if (a.starts_with('-') && among(ToolkitOptionsWithValue, optionName(a))) {
            if (a.find('=') == std::string_view::npos)
                ++i;
            continue;
        } else if (a.starts_with('-') && among(ToolkitFlags, optionName(a))) {
            continue;
        } else {
            return usage("unknown argument '" + std::string(a) + "'");
        }
        if (chosen)
            return usage("give one command at a time");
        request = next;
        chosen = true;
    }
    if (delay) {
        // Alone it delays the kind of capture chosen last.
        if (chosen && request.action != PlainRequest::Capture)
            return usage("--delay goes with --capture only");
        request.action = PlainRequest::Capture;
        request.delaySeconds = delay;
    }
    return request;
}

namespace {

std::string requestLine(const PlainRequest &request)
{
    switch (request.action) {
    case PlainRequest::Capture:
        return "capture " + (request.captureKind.empty() ? std::string("last") : request.captureKind)
               + (request.delaySeconds ? " delay " + std::to_string(request.delaySeconds) : std::string());
    case PlainRequest::Leave: return "leave";
    default: return "show";
    }
}

// Compositors make tokens of a few dozen printable characters; anything else would not survive
// the line it travels on.
bool passableToken(std::string_view token)
{
    return !token.empty() && token.size() <= LongestActivationToken
        && std::all_of(token.begin(), token.end(), [](char c) { return c > ' ' && c < 127; });
}

}  // namespace

std::string PlainRequestMessage(const PlainRequest &request)
{
    std::string message = requestLine(request);
    if (passableToken(request.activationToken))
        message += "\n" + std::string(ActivationTokenWord) + ' ' + request.activationToken;
    return message;
}

const char *UsageLines()
{
    return "Usage: TIVrevudu [[--delay N] --capture full|window|client|region|text|pin | --leave | --help | --version]\n"
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
           "  --version          show the version\n";
}

std::string VersionLine()
{
    return "TIVrevudu " TIV_VERSION "\n";
}

}  // namespace tiv
