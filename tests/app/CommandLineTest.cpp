#include "app/CommandLine.h"
#include "support/ParseArguments.h"

#include <gtest/gtest.h>

using namespace tiv;

namespace {

constexpr auto &parse = ParseArguments;

}  // namespace

TEST(CommandLine, ReadsTheCommandsAndLetsTheToolkitOptionsThrough)
{
    EXPECT_EQ(parse({}).action, CommandLineRequest::Start);
    EXPECT_EQ(parse({"-platform", "wayland", "--style=fusion", "-reverse"}).action, CommandLineRequest::Start);
    const auto region = parse({"-platform", "xcb", "--capture", "region"});
    EXPECT_EQ(region.action, CommandLineRequest::Capture);
    EXPECT_EQ(region.captureKind, "region");
    EXPECT_EQ(parse({"--capture=client"}).captureKind, "client");
    EXPECT_EQ(parse({"--leave"}).action, CommandLineRequest::Leave);
    EXPECT_EQ(parse({"--version"}).action, CommandLineRequest::Version);

    for (const QStringList &wrong : {QStringList{"--capture"}, QStringList{"--capture", "desk"},
                                     QStringList{"--capture", "full", "--leave"}, QStringList{"full"},
                                     QStringList{"--platform-x"}})
        EXPECT_EQ(parse(wrong).action, CommandLineRequest::Usage) << wrong.join(' ').toStdString();
}

TEST(CommandLine, RequestsTravelToTheRunningCopyAsTheHotkeysTheyStandFor)
{
    for (const auto &[arguments, id] : std::initializer_list<std::pair<QStringList, int>>{
             {{"--capture", "full"}, 1}, {{"--capture", "window"}, 2}, {{"--capture", "client"}, 3},
             {{"--capture", "region"}, 4}, {{"--leave"}, 5}, {{}, 0}}) {
        const auto travelled = RequestFromMessage(RequestMessage(parse(arguments)));
        EXPECT_EQ(HotkeyIdOf(travelled), id) << arguments.join(' ').toStdString();
    }
    for (const char *junk : {"capture desk", "leave now", "", "rm -rf /"})
        EXPECT_EQ(RequestFromMessage(QString::fromLatin1(junk)).action, CommandLineRequest::Usage) << junk;
}

TEST(CommandLine, DelayGoesWithACaptureAndTravelsWithIt)
{
    const auto delayed = parse({"--delay", "3", "--capture", "window"});
    EXPECT_EQ(delayed.action, CommandLineRequest::Capture);
    EXPECT_EQ(delayed.captureKind, "window");
    EXPECT_EQ(delayed.delaySeconds, 3);
    const auto travelled = RequestFromMessage(RequestMessage(delayed));
    EXPECT_EQ(travelled.captureKind, "window");
    EXPECT_EQ(travelled.delaySeconds, 3);
    // Alone it delays the kind chosen last, which the running copy knows.
    const auto alone = RequestFromMessage(RequestMessage(parse({"--delay=10"})));
    EXPECT_EQ(alone.action, CommandLineRequest::Capture);
    EXPECT_TRUE(alone.captureKind.isEmpty());
    EXPECT_EQ(alone.delaySeconds, 10);
    EXPECT_EQ(parse({"--capture", "text"}).captureKind, "text");
    EXPECT_EQ(RequestFromMessage(RequestMessage(parse({"--capture", "pin"}))).captureKind, "pin");
    EXPECT_EQ(HotkeyIdOf(parse({"--capture", "text"})), 0);
    for (const QStringList &wrong : {QStringList{"--delay"}, QStringList{"--delay", "0", "--capture", "full"},
                                     QStringList{"--delay", "11"}, QStringList{"--delay", "2", "--leave"},
                                     QStringList{"--delay", "2", "--delay", "3"}})
        EXPECT_EQ(parse(wrong).action, CommandLineRequest::Usage) << wrong.join(' ').toStdString();
    EXPECT_EQ(RequestFromMessage(QStringLiteral("capture last delay 0")).action, CommandLineRequest::Usage);
}

TEST(CommandLine, ActivationTokenTravelsOnALineOlderCopiesPassOver)
{
    CommandLineRequest start = parse({});
    start.activationToken = QStringLiteral("b7a1f0e2-token_1.2");
    const QString message = RequestMessage(start);
    // An older copy reads the first line alone; an older starter sends that line alone.
    EXPECT_EQ(message.section(QLatin1Char('\n'), 0, 0), RequestMessage(parse({})));
    EXPECT_EQ(RequestFromMessage(message).activationToken, start.activationToken);
    EXPECT_EQ(HotkeyIdOf(RequestFromMessage(message)), 0);
    EXPECT_TRUE(RequestFromMessage(QStringLiteral("show")).activationToken.isEmpty());
    for (const char *unfit : {"two words", "line\nbreak", ""}) {
        start.activationToken = QString::fromLatin1(unfit);
        EXPECT_EQ(RequestMessage(start), QStringLiteral("show")) << unfit;
    }
    EXPECT_EQ(RequestFromMessage(QStringLiteral("capture desk\nactivation-token x")).action, CommandLineRequest::Usage);
}
