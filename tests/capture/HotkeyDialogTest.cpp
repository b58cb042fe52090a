#include "support/MainWindowFixture.h"

#include "capture/CellCaption.h"
#include "capture/TFrmShortcutSet.h"

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
    EXPECT_EQ(dialog()->RowCaptions[0]->text().trimmed().left(4), QStringLiteral("全屏截取"));
    for (const CellCaption *caption : dialog()->RowCaptions) {
        // The two "+" signs sit in the gaps between the row's three fields.
        const int first = int(caption->text().indexOf(u'+')), second = int(caption->text().lastIndexOf(u'+'));
        const int x1 = caption->x() + caption->cellX(first), x2 = caption->x() + caption->cellX(second);
        EXPECT_TRUE(x1 >= 163 + 65 && x1 + 8 <= 245) << caption->text().toStdString();
        EXPECT_TRUE(x2 >= 245 + 65 && x2 + 8 <= 329) << caption->text().toStdString();
    }
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
    EXPECT_EQ(dialog()->size(), QSize(588, 262));
}
