#pragma once

#include "app/TFrmMain.h"
#include "editing/ImageControl.h"
#include "platform/fake/FakePlatform.h"

#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMessageBox>
#include <QTimer>
#include <QTemporaryDir>
#include <QWindow>

// A main window on the recording fakes, with its home folder and settings file in a fresh
// temporary folder, so no test sees another's pictures or settings.
struct MainWindowFixture : testing::Test {
    QTemporaryDir home;
    tiv::fake::FakePlatform fakes;
    std::unique_ptr<tiv::TFrmMain> w;
    // When set before SetUp, the window uses these hotkeys instead of the recording fake.
    tiv::HotkeyService *realHotkeys = nullptr;

    // Texts of the message boxes the program showed; each was answered with OK at once.
    QStringList messages;
    // Whether every one of them showed its text as plain text, never as markup.
    bool messagesPlain = true;
    QTimer boxCloser;

    QString settingsPath() const { return home.filePath(QStringLiteral("defualt.ini")); }

    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        qputenv("HOME", home.path().toLocal8Bit());
        fakes.screen.desktop = pattern(64, 48);
        boxCloser.setInterval(5);
        QObject::connect(&boxCloser, &QTimer::timeout, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                messages << box->text();
                messagesPlain = messagesPlain && box->textFormat() == Qt::PlainText;
                box->accept();
            }
        });
        boxCloser.start();
        start();
    }
    void TearDown() override
    {
        w.reset();
        boxCloser.stop();
    }
    QString pictureFolder() const { return home.filePath(QStringLiteral("TIVSoft/ZevazoRUV/IMG")); }

    // (Re)starts the program, as after an exit.
    void start()
    {
        w.reset();
        tiv::Platform services = fakes.services();
        if (realHotkeys)
            services.hotkeys = realHotkeys;
        w = std::make_unique<tiv::TFrmMain>(services, settingsPath());
        w->SettleMilliseconds = 0;
        w->HideSettleMilliseconds = 0;
        w->ExitPageWaitMilliseconds = 0;
    }

    static QImage pattern(int width, int height, int seed = 0)
    {
        QImage img(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                img.setPixel(x, y, qRgb((x * 7 + seed) % 256, (y * 5 + seed) % 256, (x + y) % 256));
        return img;
    }

    // Runs `act` on the next modal dialog as soon as it is up.
    static void onNextModal(std::function<void(QWidget *)> act)
    {
        QTimer::singleShot(0, [act] {
            if (QWidget *modal = QApplication::activeModalWidget())
                act(modal);
        });
    }

    // A key released in the shown window, as the desktop delivers it.
    void release(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        ASSERT_TRUE(w->windowHandle());
        QKeyEvent event(QEvent::KeyRelease, key, mods);
        QApplication::sendEvent(w->windowHandle(), &event);
    }

    // A mouse event on the canvas at `at`, in the canvas's own coordinates.
    void canvasMouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent e(type, QPointF(at), QPointF(w->ImgMain->mapToGlobal(at)), button, held, Qt::NoModifier);
        QApplication::sendEvent(w->ImgMain, &e);
    }
    void dragOnCanvas(QPoint from, QPoint to)
    {
        canvasMouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        canvasMouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        canvasMouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }
};

// The main window shown, with an empty folder in its home folder for the test's pictures.
struct ShownWindowWithFolder : MainWindowFixture {
    QString folder;
    virtual QString folderName() const { return QStringLiteral("pics"); }
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        folder = home.filePath(folderName());
        QDir().mkpath(folder);
        w->show();
    }
};
