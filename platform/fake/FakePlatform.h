#pragma once

#include "platform/Platform.h"

#include <QList>
#include <QMap>
#include <QSet>
#include <QStringList>

// Recording fakes of the desktop services: tests script what the desktop answers and read back
// what the program asked of it.
namespace tiv::fake {

class FakeScreen : public ScreenGrabber {
public:
    QImage desktop;  // the whole screen, placed at desktopOrigin
    QPoint desktopOrigin;
    std::optional<ForegroundWindow> foreground;
    // Set to make every grab and window query fail for that reason.
    GrabFailure refusal = GrabFailure::None;
    QList<QRect> grabs;
    // Set to hand out grabs with the padding byte of every pixel zero, as an X server does.
    bool leavesPadding = false;

    QRect desktopRect() override { return QRect(desktopOrigin, desktop.size()); }
    std::optional<ForegroundWindow> foregroundWindow() override;
    QImage grab(const QRect &screenRect) override;
    QImage grabLeavingPadding(const QRect &screenRect, bool &paddingLeft) override;
    GrabFailure lastFailure() const override { return failure; }
    bool pointerInPictures = true;
    void setPointerInPictures(bool shown) override { pointerInPictures = shown; }
    // The windows handed over for blanking while they were still shown, in order.
    QList<QWindow *> blanked;
    void blankBeforeHiding(QWindow *window) override;

private:
    GrabFailure failure = GrabFailure::None;
};

class FakeCursor : public CursorSource {
public:
    std::optional<CursorImage> cursor;
    std::optional<CursorImage> currentCursor() override { return cursor; }
};

class FakeHotkeys : public HotkeyService {
public:
    struct Registration {
        int id;
        unsigned modifiers;
        unsigned key;
        bool operator==(const Registration &) const = default;
    };
    QList<Registration> registrations;  // every call, in order
    QList<int> unregistrations;
    QMap<int, unsigned> active;  // id -> combination held by this program
    // Combinations (modifiers << 16 | key) that another program holds.
    QSet<unsigned> takenByOthers;
    Handler handler;

    bool registerHotkey(int id, unsigned modifiers, unsigned virtualKey) override;
    void unregisterHotkey(int id) override;
    void setHandler(Handler h) override { handler = std::move(h); }
    bool systemWideKeys = true;
    bool systemWide() override { return systemWideKeys; }
    bool keysInDesktopSettings = false;
    bool keysSetInDesktopSettings() override { return keysInDesktopSettings; }
    // Delivers a hotkey as the desktop would, if it is registered.
    void press(int id);
    static unsigned combination(unsigned modifiers, unsigned key) { return modifiers << 16 | key; }
};

class FakeClipboard : public ClipboardService {
public:
    QList<QImage> images;
    void setImage(const QImage &image) override { images.append(image); }
};

class FakeShell : public ShellService {
public:
    QStringList openedPaths, openedUrls, fileManagerFolders, paintedPictures;
    bool openPath(const QString &p) override { openedPaths << p; return true; }
    bool openUrl(const QString &u) override { openedUrls << u; return true; }
    bool openFolderInFileManager(const QString &f) override { fileManagerFolders << f; return true; }
    bool openInPaintProgram(const QString &p) override { paintedPictures << p; return true; }
};

class FakeDrives : public DriveService {
public:
    QStringList mounts{QStringLiteral("/")};
    QStringList mountPoints() override { return mounts; }
};

class FakeStartup : public StartupEntries {
public:
    QStringList removed;
    bool removeEntry(const QString &name) override { removed << name; return false; }
};

// All fakes together, ready to hand to the main window.
struct FakePlatform {
    FakeScreen screen;
    FakeCursor cursor;
    FakeHotkeys hotkeys;
    FakeClipboard clipboard;
    FakeShell shell;
    FakeDrives drives;
    FakeStartup startup;

    Platform services()
    {
        return {&screen, &cursor, &hotkeys, &clipboard, &shell, &drives, &startup};
    }
};

}  // namespace tiv::fake
