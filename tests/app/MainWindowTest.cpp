#include "support/MainWindowFixture.h"
#include "text/InterfaceText.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

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
