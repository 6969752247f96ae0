#include "util/gui/modutilsgui.h"

#include "errors/procedure.h"
#include "platform/forms.h"
#include "platform/qtstrings.h"
#include "platform/runtimeerror.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

#include <limits>

using errors::Function;
using errors::Procedure;

namespace {
constexpr long ObjectVariableNotSet = 91;
constexpr long PropertyNotSupported = 438;

[[noreturn]] void raiseNotSupported()
{
    platform::Raise(PropertyNotSupported, QStringLiteral("Object doesn't support this property or method"));
}

[[noreturn]] void raiseNoObject()
{
    platform::Raise(ObjectVariableNotSet, QStringLiteral("Object variable or With block variable not set"));
}
} // namespace

void utControlLock(QWidget* control, bool locked)
{
    Procedure("utControlLock()", [&] {
        if (!control)
            raiseNoObject();
        if (control->metaObject()->indexOfProperty("readOnly") < 0)
            raiseNotSupported();
        control->setProperty("readOnly", locked);
        // Button face when locked, window background when not, taken from the
        // application's palette so the colours follow the system theme.
        const QPalette system = QApplication::palette(control);
        QPalette pal = control->palette();
        const QColor back = locked ? system.color(QPalette::Button) : system.color(QPalette::Base);
        pal.setColor(QPalette::Base, back);
        control->setPalette(pal);
    });
}

void utHighlight()
{
    clsErrHandler& eh = gErrHandler();
    eh.ReportErrors(false);
    try {
        Procedure("utHighlight()", [] {
            QWidget* w = QApplication::focusWidget();
            if (!w)
                raiseNoObject();
            if (auto* edit = qobject_cast<QLineEdit*>(w))
                edit->setSelection(0, int(edit->text().size()));
            else if (auto* spin = qobject_cast<QAbstractSpinBox*>(w))
                spin->selectAll();
            else if (auto* text = qobject_cast<QTextEdit*>(w))
                text->selectAll();
            else if (auto* plain = qobject_cast<QPlainTextEdit*>(w))
                plain->selectAll();
            else
                raiseNotSupported();
        });
    } catch (...) {
        eh.ReportErrors(true);
        throw;
    }
    eh.ReportErrors(true);
}

int utFormResize_WidthSpring(const QWidget* control, int containerWidth, int margin)
{
    return Function<int>("utFormResize_WidthSpring()", [&](int& r) {
        if (!control)
            raiseNoObject();
        const qint64 width = qint64(containerWidth) - platform::pxToTwips(control->x()) - margin;
        if (width > std::numeric_limits<int>::max() || width < std::numeric_limits<int>::min())
            platform::Raise(platform::errnum::Overflow);
        r = int(width);
    });
}
