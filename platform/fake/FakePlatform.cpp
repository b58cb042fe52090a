#include "platform/fake/FakePlatform.h"

#include <QPainter>

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
