#include "support/MainWindowFixture.h"

#include "capture/TFrmShortcutSet.h"
#include "text/DialogTexts.h"
#include "text/InterfaceText.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

using namespace tiv;

namespace {

struct HotkeyDialog : MainWindowFixture {
    TFrmShortcutSet *dialog() { return w->ShortcutDialog(); }
    QStringList row(int i)
    {
        const TFrmShortcutSet::Row &r = dialog()->Rows[i];
        return {r.modifier1->currentText(), r.modifier2->currentText(), r.key->text()};
    }
    QList<bool> warnings()
    {
        QList<bool> shown;
        for (const TFrmShortcutSet::Row &r : dialog()->Rows)
            shown << !r.warning->isHidden();
        return shown;
    }
};

}  // namespace

TEST_F(HotkeyDialog, RowsShowTheTableAndTheRefusedHotkey)
{
    fakes.hotkeys.takenByOthers.insert(fake::FakeHotkeys::combination(ModCtrl | ModShift, 'C'));
    w->GrabMenuClick();
    w->LeaveCaptureMode();
    dialog()->show();
    EXPECT_EQ(row(0), (QStringList{"Ctrl", "Shift", "F"}));
    EXPECT_EQ(row(3), (QStringList{"Ctrl", "Shift", "A"}));
    EXPECT_EQ(row(4), (QStringList{"", "", "ESC"}));
    EXPECT_EQ(warnings(), (QList<bool>{false, false, true, false, false}));
    EXPECT_EQ(dialog()->Rows[2].warning->text(), QStringLiteral("此快捷键冲突，请修改"));
    EXPECT_EQ(dialog()->RowCaptions[0]->text(), QStringLiteral("全屏截取"));
    // Captions beside their rows; the buttons in a row of their own at the bottom.
    for (int i = 0; i < HotkeyCount; ++i)
        EXPECT_EQ(dialog()->RowCaptions[i]->geometry().center().y(), dialog()->Rows[i].key->geometry().center().y());
    const QRect save = dialog()->BtnConfirm->geometry(), close = dialog()->BtnClose->geometry();
    EXPECT_TRUE(save.top() == close.top() && close.left() - save.right() >= 8);
    EXPECT_LT(dialog()->height() - close.bottom(), 30) << "no empty half below the buttons";
    EXPECT_TRUE(dialog()->HotkeyLog->isHidden());
    EXPECT_TRUE(dialog()->HotkeyLog->toPlainText().startsWith(QStringLiteral("Memo1\n1,Ctrl,Shift,F")));

    // Confirming without changes keeps the table and the flags, the warning included.
    const HotkeyTable before = w->Hotkeys;
    dialog()->BtnConfirmClick();
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_EQ(w->Hotkeys, before);
    EXPECT_EQ(w->Conflicts, (HotkeyConflicts{false, false, true, false, false}));
}

TEST_F(HotkeyDialog, EditsTakeEffectAtTheNextCaptureModeAndCloseDiscardsThem)
{
    dialog()->show();
    dialog()->Rows[0].modifier2->setEditText(QStringLiteral("alt "));
    dialog()->Rows[0].key->setText(QStringLiteral("g"));
    dialog()->Rows[2].key->setText(QStringLiteral("F5"));
    dialog()->BtnConfirmClick();
    EXPECT_EQ(w->Hotkeys[0], (HotkeyEntry{"Ctrl", "alt ", "g"})) << "kept exactly as typed";
    w->GrabMenuClick();
    EXPECT_TRUE(fakes.hotkeys.registrations.contains(fake::FakeHotkeys::Registration{1, ModCtrl | ModAlt, 'G'}));
    EXPECT_TRUE(fakes.hotkeys.registrations.contains(fake::FakeHotkeys::Registration{3, ModCtrl | ModShift, 116}));
    w->LeaveCaptureMode();

    dialog()->show();
    EXPECT_EQ(row(0), (QStringList{"Ctrl", "alt ", "g"}));
    // A text that names no key is marked as it is typed, and the mark goes with a key name.
    dialog()->Rows[2].key->setText(QStringLiteral("F55"));
    EXPECT_EQ(warnings(), (QList<bool>{false, false, true, false, false}));
    EXPECT_EQ(dialog()->Rows[2].warning->text(), QStringLiteral("无此按键，请修改"));
    dialog()->Rows[2].key->setText(QString());
    EXPECT_EQ(dialog()->Rows[2].warning->text(), QStringLiteral("请输入按键"));
    dialog()->Rows[2].key->setText(QStringLiteral("f5"));
    EXPECT_EQ(warnings(), (QList<bool>{false, false, false, false, false}));
    // Pressing a function key in the box writes its name.
    QKeyEvent f11(QEvent::KeyPress, Qt::Key_F11, Qt::NoModifier);
    QApplication::sendEvent(dialog()->Rows[3].key, &f11);
    EXPECT_EQ(row(3), (QStringList{"Ctrl", "Shift", "F11"}));
    dialog()->Rows[1].key->setText(QStringLiteral("Q"));
    dialog()->BtnCloseClick();
    EXPECT_EQ(w->Hotkeys[1].Key, QStringLiteral("W"));
    dialog()->show();
    EXPECT_EQ(row(1), (QStringList{"Ctrl", "Shift", "W"})) << "abandoned edits are gone at the next showing";

    // The default button rewrites the table at once; closing afterwards keeps the defaults.
    dialog()->BtnDefaultSetClick();
    EXPECT_EQ(row(0), (QStringList{"Ctrl", "Shift", "F"}));
    dialog()->BtnCloseClick();
    EXPECT_EQ(w->Hotkeys, DefaultHotkeyTable());
}

TEST_F(HotkeyDialog, OpensModallyFromTheMenu)
{
    QTimer::singleShot(0, [this] {
        EXPECT_EQ(QApplication::activeModalWidget(), dialog());
        dialog()->BtnCloseClick();
    });
    w->N19->trigger();
    EXPECT_FALSE(dialog()->isVisible());
}

// A refusal belongs to the keys refused: it stays in the hint line past the save messages, and rows
// given other keys lose it. Esc closes the open dialog, in capture mode too,
// and 保存 takes no row that cannot work.
TEST_F(HotkeyDialog, RefusalsFollowTheirKeysAndSaveRefusesRowsThatCannotWork)
{
    w->Hotkeys[0] = {"Ctrl", "Shift", "X"};
    w->Hotkeys[1].Key.clear();
    fakes.hotkeys.takenByOthers.insert(fake::FakeHotkeys::combination(ModCtrl | ModShift, 'X'));
    w->show();
    w->GrabMenuClick();
    dragOnCanvas(QPoint(2, 2), QPoint(20, 20));
    const auto *note = w->PnlHint->findChild<QLabel *>(QStringLiteral("HotkeyConflictNote"));
    ASSERT_TRUE(note && note->isVisible() && note->text() == TxtHotkeyConflict);
    EXPECT_TRUE(w->PnlHint->text().startsWith(QStringLiteral("自动保存图片为")));
    QList<QList<bool>> seen;
    onNextModal([&](QWidget *) {
        seen << warnings() << QList<bool>{fakes.hotkeys.active.isEmpty()};
        dialog()->BtnDefaultSetClick();
        seen << warnings();
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(dialog()->Rows[0].key, &esc);
        seen << QList<bool>{!dialog()->isVisible()};
        dialog()->BtnCloseClick();
    });
    w->N19->trigger();
    const QList<bool> none(HotkeyCount, false);
    EXPECT_EQ(seen, (QList<QList<bool>>{{true, true, false, false, false}, {false}, none, {true}}));
    EXPECT_FALSE(note->isVisible());
    // Esc, a hotkey, in another dialog of the program closes that dialog and capture mode goes on.
    const auto held = fakes.hotkeys.active.size();
    onNextModal([&](QWidget *about) {
        about->activateWindow();
        QApplication::processEvents();
        fakes.hotkeys.press(HotkeyLeave);
        seen = {{about->isHidden(), fakes.hotkeys.active.size() == held}};
        about->close();
    });
    w->BtnAbout->click();
    EXPECT_EQ(seen, (QList<QList<bool>>{{true, true}}));
    dialog()->show();
    EXPECT_EQ(warnings(), none) << "nor at the next showing";

    dialog()->Rows[1].key->clear();
    dialog()->Rows[2].key->setText(QStringLiteral("F55"));
    dialog()->Rows[3].key->setText(QStringLiteral("f"));
    dialog()->Rows[4].modifier1->setEditText(QStringLiteral("Ctlr"));
    dialog()->BtnConfirmClick();
    EXPECT_TRUE(dialog()->isVisible() && dialog()->SaveNotice->text() == TxtHotkeyNotSaved);
    QStringList marks;
    for (const TFrmShortcutSet::Row &r : dialog()->Rows)
        marks << (r.warning->isHidden() ? QString() : r.warning->text());
    EXPECT_EQ(marks, (QStringList{{}, TxtHotkeyKeyMissing, TxtHotkeyKeyUnknown, TxtHotkeyRepeated,
                                  TxtHotkeyModifierUnknown}));
    EXPECT_EQ(w->Hotkeys, DefaultHotkeyTable());
}
