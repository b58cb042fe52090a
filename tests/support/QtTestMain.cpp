#include <gtest/gtest.h>

#include <QApplication>

#include <cstdio>

namespace {

// The offscreen platform warns about every top-level window it cannot size-hint; that says
// nothing about the program and buries what does.
void quietHandler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (message.contains(QLatin1String("propagateSizeHints")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(message));
    if (type == QtFatalMsg)
        std::abort();
}

}  // namespace

// Widgets need an application object; the tests run it offscreen unless an X server is wanted.
int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
