#include "ui/dialogs/dialogkeys.h"

#include <QKeyEvent>
#include <QPushButton>

namespace {
bool pressable(const QPushButton* b)
{
    // Would show with its window: tests press keys in windows never put on screen.
    return b && b->isVisibleTo(b->window()) && b->isEnabled();
}
} // namespace

bool pressDialogKey(QWidget* window, QKeyEvent* event, QPushButton* defaultButton, QPushButton* cancelButton)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier)
        return false;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        auto* focused = qobject_cast<QPushButton*>(window->focusWidget());
        QPushButton* target = pressable(focused) ? focused : defaultButton;
        if (!pressable(target))
            return false;
        target->click();
        return true;
    }
    case Qt::Key_Escape:
        if (!pressable(cancelButton))
            return false;
        cancelButton->click();
        return true;
    default: return false;
    }
}
