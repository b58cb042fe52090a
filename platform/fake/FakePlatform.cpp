#include "platform/fake/FakePlatform.h"

#include <QPainter>
#include <QWindow>

namespace tiv::fake {

std::optional<ForegroundWindow> FakeScreen::foregroundWindow()
{
    failure = refusal != GrabFailure::None ? refusal : foreground ? GrabFailure::None : GrabFailure::NoActiveWindow;
    return failure == GrabFailure::None ? foreground : std::nullopt;
}

QImage FakeScreen::grab(const QRect &screenRect)
{
    grabs.append(screenRect);
    failure = refusal;
    if (refusal != GrabFailure::None)
        return {};
    QImage out(screenRect.size(), QImage::Format_RGB32);
    if (out.isNull())
        return out;
    out.fill(Qt::black);
    QPainter painter(&out);
    painter.drawImage(desktopOrigin - screenRect.topLeft(), desktop);
    return out;
}

QImage FakeScreen::grabLeavingPadding(const QRect &screenRect, bool &paddingLeft)
{
    QImage out = grab(screenRect);
    paddingLeft = leavesPadding && !out.isNull();
    for (int y = 0; paddingLeft && y < out.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            row[x] &= 0x00ffffffu;
    }
    return out;
}

void FakeScreen::blankBeforeHiding(QWindow *window)
{
    if (window && window->isVisible())
        blanked.append(window);
}

bool FakeHotkeys::registerHotkey(int id, unsigned modifiers, unsigned virtualKey)
{
    registrations.append({id, modifiers, virtualKey});
    const unsigned wanted = combination(modifiers, virtualKey);
    if (active.value(id, ~0u) == wanted)
        return true;
    active.remove(id);
    if (takenByOthers.contains(wanted) || active.values().contains(wanted))
        return false;
    active.insert(id, wanted);
    return true;
}

void FakeHotkeys::unregisterHotkey(int id)
{
    unregistrations.append(id);
    active.remove(id);
}

void FakeHotkeys::press(int id)
{
    if (active.contains(id) && handler)
        handler(id);
}

}  // namespace tiv::fake
