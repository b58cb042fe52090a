#include "platform/wayland/SwayWindowFinder.h"

#include <gtest/gtest.h>

using tiv::wayland::SwayWindowFinder;

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
}
