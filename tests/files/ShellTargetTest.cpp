#include "files/ShellTarget.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

using namespace tiv;
using Kind = ShellTarget::Kind;

TEST(ShellTarget, OnlyLocalPathsAndPlainWebAddressesOpen)
{
    const QSet<QString> existing{"/home/u/pics/5.jpg", "/home/u/pics", "/tmp/a:b.jpg", "notes"};
    const auto exists = [&](const QString &p) { return existing.contains(p); };
    const struct {
        const char *target;
        Kind kind;
        const char *text;
    } cases[] = {
        {"/home/u/pics/5.jpg", Kind::LocalPath, "/home/u/pics/5.jpg"},
        {"/home/u/pics", Kind::LocalPath, "/home/u/pics"},
        {"/tmp/a:b.jpg", Kind::LocalPath, "/tmp/a:b.jpg"},
        {"notes", Kind::LocalPath, "notes"},
        {"www.example.com", Kind::WebAddress, "http://www.example.com"},
        {" example.com/a?b=1 ", Kind::WebAddress, "http://example.com/a?b=1"},
        {"  HTTPS://Example.com/x  ", Kind::WebAddress, "HTTPS://Example.com/x"},
        {"http://example.com", Kind::WebAddress, "http://example.com"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(DecideShellTarget(c.target, exists), (ShellTarget{c.kind, c.text})) << c.target;

    const char *const refused[] = {"/home/u/missing.jpg", "C:\\pics\\5.jpg", "http://", "http:example.com",
                                   "http:\\\\example.com", "file:///etc/passwd", "javascript:alert(1)",
                                   "smb://host/share", "mailto:a@b.c", "x-handler:run",
                                   "evil:http://example.com", "example.com\nfile:///x",
                                   "http://example.com/\x01", "", "   "};
    for (const char *target : refused)
        EXPECT_EQ(DecideShellTarget(target, exists), ShellTarget{}) << target;
}

TEST(ShellTarget, RealFilesAndWebOnlyCallers)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString picture = dir.filePath("shot.png");
    ASSERT_TRUE(QFile(picture).open(QIODevice::WriteOnly));
    EXPECT_EQ(DecideShellTarget(picture), (ShellTarget{Kind::LocalPath, picture}));
    EXPECT_EQ(DecideShellTarget(dir.filePath("gone.png")), ShellTarget{});
    EXPECT_EQ(WebAddressToOpen(picture), std::nullopt) << "links from pages never open local files";
    for (const char *noHost : {"http:///etc/passwd", "https://:80/x", "http://javascript:alert(1)", "http://?q"})
        EXPECT_EQ(WebAddressToOpen(noHost), std::nullopt) << noHost;
    const QString longest = QStringLiteral("https://example.org/") + QString(2028, u'a');
    EXPECT_EQ(WebAddressToOpen(longest), longest);
    EXPECT_EQ(WebAddressToOpen(longest + u'a'), std::nullopt);
    EXPECT_EQ(WebAddressToOpen(QStringLiteral("https://例子.example/路径?a=1&amp;b=2")),
              QStringLiteral("https://例子.example/路径?a=1&amp;b=2"));
}
