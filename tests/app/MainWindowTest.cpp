#include "support/MainWindowFixture.h"
#include "text/FeatureTexts.h"
#include "text/InterfaceText.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QHelpEvent>
#include <QLineEdit>
#include <QToolTip>

using namespace tiv;

using MainWindowTest = MainWindowFixture;

TEST_F(MainWindowTest, StartsWithTextsEmptyCanvasAndDefaultFolder)
{
    EXPECT_EQ(w->windowTitle(), QStringLiteral("TIVrevudu2.2"));
    EXPECT_EQ(TxtHotkeyConflict, QStringLiteral("热键冲突，请单击按钮『热键设置』，修改热键"));
    EXPECT_TRUE(w->ImgMain->picture().isEmpty());
    EXPECT_TRUE(w->PictureFolder.endsWith(QStringLiteral("/TIVSoft/ZevazoRUV/IMG")));
    EXPECT_EQ(w->EdtPicPath->text(), w->PictureFolder);
    EXPECT_EQ(w->SavedWidth, 786);
    EXPECT_EQ(w->SavedHeight, 643);
    EXPECT_TRUE(fakes.hotkeys.registrations.isEmpty());  // start-up registers no hotkey
    EXPECT_EQ(w->CbPicFomat->count(), 7);
}

TEST_F(MainWindowTest, CtrlFWithAnyModifiersCapturesFullScreenFromAnyControl)
{
    w->show();
    w->MemoText->setFocus();
    release('F', Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(w->ImgMain->picture().image, fakes.screen.desktop);
    EXPECT_EQ(w->ImgMain->size(), QSize(64, 48));
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->ChromeShown);

    fakes.screen.desktop = pattern(10, 10, 1);
    release('F');  // F alone does nothing
    EXPECT_EQ(w->ImgMain->picture().image.size(), QSize(64, 48));
}

TEST_F(MainWindowTest, EscEndsAPendingTool)
{
    w->show();
    w->StartRegionCapture();
    EXPECT_EQ(w->ToolMode, 5);
    EXPECT_TRUE(w->borderless());
    EXPECT_FALSE(w->SbLeft->isVisible());
    release(Qt::Key_Escape);
    EXPECT_EQ(w->ToolMode, 0);
    EXPECT_TRUE(w->borderless());  // without hotkey 5 only the release acts
}

TEST_F(MainWindowTest, TypingAFormatLeavesNoEntrySelectedAndAddsNone)
{
    w->show();
    QLineEdit *edit = w->CbPicFomat->lineEdit();
    ASSERT_EQ(w->CbPicFomat->currentIndex(), 0);
    edit->setFocus();
    edit->selectAll();
    for (const char *key : {".", "g", "i", "f"}) {
        QKeyEvent press(QEvent::KeyPress, QChar::fromLatin1(key[0]).toUpper().unicode(), Qt::NoModifier,
                        QString::fromLatin1(key));
        QApplication::sendEvent(edit, &press);
    }
    EXPECT_EQ(edit->text(), QStringLiteral(".gif"));
    EXPECT_EQ(w->CbPicFomat->currentIndex(), -1);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(edit, &enter);
    EXPECT_EQ(w->CbPicFomat->count(), 7) << "Enter never adds the typed text";
    EXPECT_EQ(w->CbPicFomat->currentIndex(), -1);
    EXPECT_EQ(edit->text(), QStringLiteral(".gif"));

    // Choosing an entry selects it again, and the settings keep the choice.
    w->CbPicFomat->setCurrentIndex(6);
    EXPECT_EQ(edit->text(), QStringLiteral(".png"));
}

TEST_F(MainWindowTest, HintLineStaysReadableAtTheDesignWidth)
{
    w->resize(786, 643);
    w->show();
    const QString saved = QStringLiteral("自动保存图片为") + pictureFolder() + QStringLiteral("/截图123.jpg");
    const auto settle = [&] {
        QApplication::processEvents();
        w->PnlHint->grab();
    };
    w->PnlHint->setText(saved);
    settle();
    // Empty rolling links take no room: the message is whole if the line can hold it.
    ASSERT_LT(w->PnlHint->fontMetrics().horizontalAdvance(saved), w->PnlHint->width() - 20);
    EXPECT_EQ(w->PnlHint->shownText(), saved);
    // What a pin on Wayland says is read whole also in a window tiled to half a small screen.
    w->resize(500, 643);
    for (const QString &note : {TxtPinFloating, TxtPinNotAbove}) {
        w->PnlHint->setText(note);
        settle();
        EXPECT_EQ(w->PnlHint->shownText(), note) << w->PnlHint->room();
    }
    w->resize(786, 643);
    w->PnlHint->setText(saved);

    const QString longCaption = QStringLiteral("一条很长很长的滚动公告标题，比它的位置还要长得多");
    w->RollerLines = {longCaption, QStringLiteral("http://a.example/"), QStringLiteral("B"),
                      QStringLiteral("http://b.example/")};
    w->TimerRollTimer();
    settle();
    // Beside them the message is shortened in the middle: what happened and the file stay readable.
    const QString shown = w->PnlHint->shownText();
    EXPECT_NE(shown, saved);
    EXPECT_TRUE(shown.startsWith(QStringLiteral("自动保存图片为"))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QStringLiteral("截图123.jpg"))) << shown.toStdString();
    EXPECT_LE(w->PnlHint->fontMetrics().horizontalAdvance(shown), w->PnlHint->room());
    QHelpEvent tip(QEvent::ToolTip, QPoint(5, 5), w->PnlHint->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(w->PnlHint, &tip);
    EXPECT_EQ(QToolTip::text(), saved);

    // The long caption keeps its beginning inside its panel, and is whole in its hint.
    EXPECT_TRUE(w->LbRollers->text().startsWith(longCaption.left(6)));
    EXPECT_GE(w->LbRollers->x(), 0);
    EXPECT_LE(w->LbRollers->geometry().right(), w->Panel11->width() - 1);
    EXPECT_EQ(w->LbRollers->toolTip(), longCaption);

    // A link without a caption gives its room back.
    w->RollerLines = {QString(), QStringLiteral("http://a.example/")};
    w->RollIndex = 0;
    w->TimerRollTimer();
    settle();
    EXPECT_TRUE(w->Panel11->isHidden());
    EXPECT_TRUE(w->Panel12->isVisible());
}
