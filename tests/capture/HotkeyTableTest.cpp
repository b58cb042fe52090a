#include "capture/HotkeyTable.h"

#include "platform/fake/FakePlatform.h"

#include <gtest/gtest.h>

using namespace tiv;
using Registration = fake::FakeHotkeys::Registration;

namespace {

const HotkeyConflicts AllRefused{true, true, true, true, true};

bool registerAll(const HotkeyTable &table, HotkeyConflicts &conflicts, fake::FakeHotkeys &hotkeys,
                 QStringList *log = nullptr)
{
    return RegisterCaptureHotkeys(table, conflicts, hotkeys, [&](const QString &line) {
        if (log)
            *log << line;
    });
}

}  // namespace

TEST(HotkeyTable, NamesModifiersAndKeyCodes)
{
    const std::pair<const char *, int> names[] = {
        {"Ctrl", 2},   {"ctrl ", 2}, {"\t SHIFT\n", 4}, {"alt", 1}, {"Esc", 27},    {"F1", 112},
        {"f12", 123},  {"F13", 0},   {"F0", 0},         {"", 0},    {"Control", 0}, {"C trl", 0}};
    for (const auto &[text, value] : names)
        EXPECT_EQ(ParseHotkeyName(text), value) << text;

    EXPECT_EQ(HotkeyModifiers({"Alt", "Shift", "A"}), 5);
    EXPECT_EQ(HotkeyModifiers({"Ctrl", "Ctrl", "A"}), 2);
    EXPECT_EQ(HotkeyModifiers({"ESC", "F1", "A"}), 27 | 112);

    // Letters of either case are their letter keys, "F1".."F12" the function keys; a longer text
    // names no key rather than the key of its first character.
    const std::pair<const char *, unsigned> keys[] = {
        {"F5", 116}, {"f12 ", 123}, {" esc ", 27}, {"g", 'G'}, {" a", 'A'}, {"7", '7'}, {"=", '='},
        {" ", ' '},  {"ESCAPE", 0},  {"F13", 0},    {"Ctrl", 0}, {"宋", 0},   {"", 0}};
    for (const auto &[key, code] : keys)
        EXPECT_EQ(HotkeyKeyCode({"", "", QString::fromUtf8(key)}), code) << key;
}

TEST(HotkeyTable, DefaultsRegisterInOrderAndLogEachEntry)
{
    HotkeyTable table;
    table[0] = {"x", "y", "z"};
    ResetHotkeyDefaults(table);
    fake::FakeHotkeys hotkeys;
    HotkeyConflicts conflicts = AllRefused;
    QStringList log;
    EXPECT_TRUE(registerAll(table, conflicts, hotkeys, &log));
    EXPECT_EQ(hotkeys.registrations,
              (QList<Registration>{{1, 6, 'F'}, {2, 6, 'W'}, {3, 6, 'C'}, {4, 6, 'A'}, {5, 0, 27}}));
    EXPECT_EQ(log, (QStringList{"1,Ctrl,Shift,F", "2,Ctrl,Shift,W", "3,Ctrl,Shift,C", "4,Ctrl,Shift,A",
                                "5,,,ESC"}));
    EXPECT_EQ(conflicts, HotkeyConflicts{});
}

TEST(HotkeyTable, OnlyKeysOthersHoldAreRefusedAlsoInARepeatedPass)
{
    fake::FakeHotkeys hotkeys;
    hotkeys.takenByOthers.insert(fake::FakeHotkeys::combination(6, 'W'));
    HotkeyConflicts conflicts{};
    EXPECT_FALSE(registerAll(DefaultHotkeyTable(), conflicts, hotkeys));
    EXPECT_EQ(conflicts, (HotkeyConflicts{false, true, false, false, false}));
    EXPECT_FALSE(registerAll(DefaultHotkeyTable(), conflicts, hotkeys));
    EXPECT_EQ(conflicts, (HotkeyConflicts{false, true, false, false, false}));
    conflicts = AllRefused;

    UnregisterCaptureHotkeys(hotkeys);
    EXPECT_EQ(hotkeys.unregistrations, (QList<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(conflicts, AllRefused) << "left alone";
    hotkeys.takenByOthers.clear();
    EXPECT_TRUE(registerAll(DefaultHotkeyTable(), conflicts, hotkeys));
}

TEST(HotkeyTable, EntryWithoutKeyIsRefusedAndThePassGoesOn)
{
    HotkeyTable table = DefaultHotkeyTable();
    table[1].Key.clear();
    fake::FakeHotkeys hotkeys;
    HotkeyConflicts conflicts{};
    QStringList log;
    EXPECT_FALSE(registerAll(table, conflicts, hotkeys, &log));
    EXPECT_EQ(conflicts, (HotkeyConflicts{false, true, false, false, false}));
    EXPECT_EQ(hotkeys.registrations, (QList<Registration>{{1, 6, 'F'}, {3, 6, 'C'}, {4, 6, 'A'}, {5, 0, 27}}));
    EXPECT_EQ(log.value(1), "2,Ctrl,Shift,");

    fake::FakeHotkeys fresh;  // a settings file without hotkey values
    EXPECT_FALSE(registerAll(HotkeyTable{}, conflicts, fresh));
    EXPECT_TRUE(fresh.registrations.isEmpty());
    EXPECT_EQ(conflicts, AllRefused);
}

TEST(HotkeyTable, KeysPressedOnTheFrozenDesktopFindTheirHotkey)
{
    HotkeyTable table = DefaultHotkeyTable();
    table[HotkeyLeave - 1] = {"Ctrl", "Shift", "q"};
    HotkeyConflicts conflicts{};
    EXPECT_EQ(HotkeyIdOfKey(table, conflicts, 'F', 2 | 4), HotkeyFullScreen);
    EXPECT_EQ(HotkeyIdOfKey(table, conflicts, 'A', 2 | 4), HotkeyRegion);
    // Exactly the registered modifiers: Ctrl+A alone or Ctrl+Shift+Alt+A is no hotkey.
    EXPECT_EQ(HotkeyIdOfKey(table, conflicts, 'A', 2), 0);
    EXPECT_EQ(HotkeyIdOfKey(table, conflicts, 'A', 1 | 2 | 4), 0);
    // The key is the code registered for the text, a letter in either case naming the one key;
    // Esc is no longer the leave hotkey.
    EXPECT_EQ(HotkeyIdOfKey(table, conflicts, 'Q', 2 | 4), HotkeyLeave);
    EXPECT_EQ(HotkeyIdOfKey(table, conflicts, 27, 0), 0);
    // A refused hotkey belongs to another program.
    conflicts[HotkeyFullScreen - 1] = true;
    EXPECT_EQ(HotkeyIdOfKey(table, conflicts, 'F', 2 | 4), 0);
    EXPECT_EQ(HotkeyIdOfKey(table, conflicts, 0, 0), 0);
}
