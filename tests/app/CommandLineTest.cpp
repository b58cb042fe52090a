#include "app/CommandLine.h"

#include <gtest/gtest.h>

using namespace tiv;

namespace {

CommandLineRequest parse(QStringList arguments)
{
    arguments.prepend(QStringLiteral("TIVrevudu"));
    return ParseCommandLine(arguments);
}

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
