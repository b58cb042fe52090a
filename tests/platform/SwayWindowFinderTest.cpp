#include "platform/wayland/SwayWindowFinder.h"
#include "platform/wayland/SwayWindowPlaces.h"

#include <gtest/gtest.h>

using tiv::wayland::SwayWindowFinder;
using tiv::wayland::SwayWindowPlaces;

TEST(SwayWindowFinder, FindsTheFocusedWindowAmongTiledAndFloatingOnes)
{
    // Shaped like a get_tree answer: a tiled terminal and a focused floating window with a title bar.
    const QByteArray tree = R"({"type":"root","focused":false,"nodes":[{"type":"output","nodes":[
        {"type":"workspace","focused":false,"nodes":[
          {"type":"con","pid":10,"focused":false,"nodes":[],"rect":{"x":0,"y":0,"width":500,"height":768},
           "window_rect":{"x":2,"y":0,"width":496,"height":766},"deco_rect":{"x":0,"y":0,"width":500,"height":25}}],
         "floating_nodes":[
          {"type":"floating_con","pid":11,"focused":true,"nodes":[],"rect":{"x":100,"y":125,"width":300,"height":200},
           "window_rect":{"x":2,"y":0,"width":296,"height":198},"deco_rect":{"x":0,"y":0,"width":300,"height":25}}]}]}]})";
    const auto window = SwayWindowFinder::focusedWindowInTree(tree);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->frame, QRect(100, 100, 300, 225)) << "the title bar above the rectangle is the frame's";
    EXPECT_EQ(window->client, QRect(102, 125, 296, 198));

    QByteArray workspaceFocused = tree;
    workspaceFocused.replace(R"("focused":true)", R"("focused":false)");
    workspaceFocused.replace(R"({"type":"workspace","focused":false)", R"({"type":"workspace","focused":true)");
    EXPECT_FALSE(SwayWindowFinder::focusedWindowInTree(workspaceFocused)) << "an empty workspace has no window";
    EXPECT_FALSE(SwayWindowFinder::focusedWindowInTree("not json"));

    EXPECT_EQ(SwayWindowFinder::windowTitlesInTree(tree, 11), QStringList{QString()}) << "a window of process 11, untitled";
    EXPECT_TRUE(SwayWindowFinder::windowTitlesInTree(tree, 12).isEmpty());

    EXPECT_FALSE(SwayWindowFinder::tiledNeighboursInTree(tree, 11, QString()).value().any) << "a floating window";
    // sway tells "visible" of each window, none of its workspace.
    const QByteArray two = R"({"nodes":[{"type":"workspace","nodes":[{"type":"con","pid":10,"name":"a","visible":true,"nodes":[]},
        {"type":"con","nodes":[{"type":"con","pid":11,"name":"b","visible":true,"nodes":[]}]}]},
        {"type":"workspace","nodes":[{"type":"con","pid":11,"name":"c","visible":false,"nodes":[]},{"type":"con","pid":10,"name":"d","visible":false,"nodes":[]}]}]})";
    EXPECT_TRUE(SwayWindowFinder::tiledNeighboursInTree(two, 10, QStringLiteral("a")).value().any);
    EXPECT_FALSE(SwayWindowFinder::tiledNeighboursInTree(two, 10, QStringLiteral("d")).value().any) << "on a workspace not shown";
    EXPECT_TRUE(SwayWindowFinder::tiledNeighboursInTree(two, 10, QStringLiteral("a")).value().shown);
    EXPECT_FALSE(SwayWindowFinder::tiledNeighboursInTree(two, 10, QStringLiteral("d")).value().shown) << "in no frame: no wait after hiding it";
    QByteArray ownPair = two;
    ownPair.replace(R"("pid":11,"name":"b")", R"("pid":10,"name":"b")");
    EXPECT_EQ(SwayWindowFinder::tiledNeighboursInTree(ownPair, 10, QStringLiteral("a")).value().own, QStringList{QStringLiteral("b")})
        << "beside a window of its own";
    EXPECT_FALSE(SwayWindowFinder::tiledNeighboursInTree(two, 10, QStringLiteral("x")));
}

TEST(SwayWindowPlaces, FindsTheWindowsWorkspaceAndPutsItBack)
{
    const QByteArray tree = R"({"type":"root","nodes":[{"type":"output","nodes":[
        {"type":"workspace","name":"1","nodes":[{"type":"con","id":7,"pid":10,"name":"main","fullscreen_mode":1,"nodes":[]}]},
        {"type":"workspace","name":"web \"2\"","nodes":[],
         "floating_nodes":[{"type":"floating_con","id":8,"pid":10,"name":"main","fullscreen_mode":0,"nodes":[]}]}]}]})";
    const auto place = SwayWindowPlaces::placeInTree(tree, 10, QStringLiteral("main"));
    ASSERT_TRUE(place);
    EXPECT_EQ(place->id, 8) << "the window, not the frozen desktop full-screen under the same title";
    EXPECT_EQ(place->workspace, QStringLiteral("web \"2\""));
    EXPECT_FALSE(SwayWindowPlaces::placeInTree(tree, 11, QStringLiteral("main")));

    const SwayWindowPlaces::Place mapped{9, QStringLiteral("1"), false};
    EXPECT_EQ(SwayWindowPlaces::returnCommand(mapped, *place), R"([con_id=9] move container to workspace "web \"2\"")");
    EXPECT_TRUE(SwayWindowPlaces::returnCommand(mapped, mapped).isEmpty()) << "already on its workspace";
    EXPECT_TRUE(SwayWindowPlaces::returnCommand(mapped, {7, QStringLiteral("__i3_scratch"), false}).isEmpty());
}
