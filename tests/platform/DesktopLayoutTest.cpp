#include "platform/wayland/DesktopLayout.h"
#include "text/DesktopBindingHint.h"

#include <gtest/gtest.h>

using tiv::wayland::DesktopLayout;

TEST(DesktopLayout, ScalesWindowsByTheCompositorsOwnRatio)
{
    // 1.5 as the compositor has it (1920 pixels over 1280 units), which the toolkit calls 2.
    const DesktopLayout fractional({{QRect(0, 0, 1280, 720), QSize(1920, 1080)}});
    EXPECT_DOUBLE_EQ(fractional.ratio(), 1.5);
    EXPECT_EQ(fractional.pictureRect(), QRect(0, 0, 1920, 1080));
    EXPECT_EQ(fractional.toPicture(QRect(100, 150, 300, 200)), QRect(150, 225, 450, 300));
    EXPECT_EQ(fractional.toPicture(QRect(1, 1, 1, 1)), QRect(1, 1, 2, 2)) << "both corners scaled, none lost";

    // A scale-2 screen and a scale-1 one right of it: all at 2, the second enlarged.
    const DesktopLayout mixed({{QRect(0, 0, 800, 600), QSize(1600, 1200)}, {QRect(800, 200, 1024, 768), QSize(1024, 768)}});
    EXPECT_EQ(mixed.pictureRect(), QRect(0, 0, 3648, 1936));
    EXPECT_EQ(mixed.toPicture(QRect(900, 300, 200, 100)), QRect(1800, 600, 400, 200));

    // A screen turned by a quarter: its pixels as it shows them, taller than wide.
    const DesktopLayout turned({{QRect(0, 0, 768, 1024), QSize(768, 1024)}});
    EXPECT_EQ(turned.pictureRect(), QRect(0, 0, 768, 1024));
}

TEST(DesktopBindingHint, NamesTheProgramAndTheDesktopsOwnPlace)
{
    using tiv::DesktopKind;
    EXPECT_EQ(tiv::DesktopKindOf("sway"), DesktopKind::Sway);
    EXPECT_EQ(tiv::DesktopKindOf("ubuntu:GNOME"), DesktopKind::Gnome);
    EXPECT_EQ(tiv::DesktopKindOf("KDE"), DesktopKind::Kde);
    EXPECT_EQ(tiv::DesktopKindOf("Hyprland"), DesktopKind::Other);
    const QString sway = tiv::DesktopBindingHint(DesktopKind::Sway, "/opt/my apps/TIVrevudu");
    EXPECT_TRUE(sway.contains("bindsym Ctrl+Shift+f exec '/opt/my apps/TIVrevudu' --capture full")) << sway.toStdString();
    EXPECT_TRUE(tiv::DesktopBindingHint(DesktopKind::Other, "/usr/bin/TIVrevudu").contains("/usr/bin/TIVrevudu --leave"));
}
