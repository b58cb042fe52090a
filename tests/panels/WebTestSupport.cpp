// Settings that test programs starting the web engine need.

#include <QByteArray>
#include <QtGlobal>

// The engine's own library deletes some of its objects through a pointer of another size; that is
// Chromium's code, not ours, and it would stop every test that loads a page.
extern "C" const char *__asan_default_options()
{
    return "new_delete_type_mismatch=0";
}

namespace {

// On the suite's X server the offscreen platform would load the system's OpenGL driver for the
// engine, and the driver leaves allocations behind in a library that is gone by the leak check.
// The pages draw in software without it, which is all these tests look at.
const bool noOpenGl = qputenv("QT_QPA_OFFSCREEN_NO_GLX", QByteArray("1"));

}  // namespace
