#include "ui/main/keyevents.h"

#include <QKeyEvent>

namespace keyevents {

int keyAscii(const QKeyEvent* e)
{
    const int key = e->key();
    switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return -1;
    default: break;
    }
    if ((e->modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return key - Qt::Key_A + 1;
    const QString text = e->text();
    if (text.isEmpty())
        return -1;
    return text.at(0).unicode();
}

bool switchedWindows(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

} // namespace keyevents
