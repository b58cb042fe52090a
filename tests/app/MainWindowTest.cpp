#include "support/MainWindowFixture.h"
#include "text/InterfaceText.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

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
