#include "app/VirtualKey.h"

#include <QKeyEvent>

namespace tiv {

int VirtualKeyOf(const QKeyEvent &event)
{
    const int key = event.key();
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key;  // Qt numbers these keys by their upper-case character, as the program does
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return VkF1 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Escape: return VkEscape;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VkReturn;
    case Qt::Key_Delete: return VkDelete;
    default: return 0;
    }
}

}  // namespace tiv
