#include "ocr/OcrEngine.h"
#include "ocr/OcrText.h"
#include "ocr/OcrWindow.h"
#include "support/MainWindowFixture.h"

#include <QClipboard>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QTest>

using namespace tiv;

namespace {

// A line of interface text as a window on the X server shows it, read back from the screen.
QImage ShownLine(const QString &text, int pixelSize)
{
    QLabel label(text);
    label.setWindowFlags(Qt::FramelessWindowHint);
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(pixelSize);
    label.setFont(font);
    label.setStyleSheet(QStringLiteral("background: white; color: black; padding: 6px"));
    label.adjustSize();
    label.move(40, 40);
    label.show();
    if (!QTest::qWaitForWindowExposed(&label))
        return {};
    QTest::qWait(200);
    return label.screen()->grabWindow(label.winId()).toImage();
}

}  // namespace

TEST(TextRecognition, TidyingKeepsLinesAndDropsTheBlanksBetweenChineseCharacters)
{
    EXPECT_EQ(TidyRecognisedText(QStringLiteral("文 字 识 别 ， 好\n\n\nOpen  the file 文 件\n \n")),
              QStringLiteral("文字识别，好\n\nOpen the file 文件"));
    EXPECT_EQ(CountedCharacters(QStringLiteral("文字 ab\nc")), 5);
}

// The engine reads a line of Chinese and one of English that a window shows on a real X server,
// each back exactly.
TEST(TextRecognition, ReadsChineseAndEnglishInterfaceLines)
{
    OcrEngine engine;
    QString problem;
    ASSERT_TRUE(engine.load(&problem)) << problem.toStdString();
    const QString chinese = QStringLiteral("截图已保存到图片文件夹");
    const QString english = QStringLiteral("Save the picture to the folder");
    EXPECT_EQ(engine.recognise(ShownLine(chinese, 16)).text, chinese);
    EXPECT_EQ(engine.recognise(ShownLine(english, 13)).text, english);
}

// From the main window: a picture is read off the interface thread while the window shows that
// it is busy; Esc abandons it and its answer never comes. Read to the end, the text goes to the
// window and the clipboard, and the hint counts its characters.
TEST_F(ShownWindowWithFolder, TextRecognitionIsBusyUntilReadAndEscAbandons)
{
    QImage page(1200, 900, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter p(&page);
        QFont font(QStringLiteral("WenQuanYi Micro Hei"));
        font.setPixelSize(14);
        p.setFont(font);
        for (int line = 0; line < 40; ++line)
            p.drawText(10, 20 + line * 21, QStringLiteral("第 %1 行：截图、贴图、马赛克和文字识别 Capture pin mosaic text").arg(line));
    }
    w->RecogniseText(page);
    OcrWindow *window = w->FrmTextResult;
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->busy());
    EXPECT_TRUE(window->Busy->isVisible());
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_FALSE(window->busy());
    EXPECT_EQ(w->PnlHint->text(), QStringLiteral("文字识别已放弃"));
    QTest::qWait(1500);
    EXPECT_EQ(window->Status->text(), QStringLiteral("文字识别已放弃"));

    const QString line = QStringLiteral("Copy the text");
    QImage small(300, 40, QImage::Format_RGB32);
    small.fill(Qt::white);
    {
        QPainter p(&small);
        QFont font(QStringLiteral("WenQuanYi Micro Hei"));
        font.setPixelSize(16);
        p.setFont(font);
        p.drawText(10, 26, line);
    }
    w->RecogniseText(small);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->busy(); }, 60000));
    EXPECT_EQ(window->Text->toPlainText(), line);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), line);
    EXPECT_EQ(w->PnlHint->text(), QStringLiteral("识别出 11 个字符，已放入剪贴板"));
}
