#include "ui/extrawindow.h"

#include "errors/procedure.h"
#include "settings/formsettings.h"
#include "ui/screenfit.h"
#include "ui/zoom.h"

#include <QApplication>
#include <QKeySequence>
#include <QLayout>
#include <QLabel>
#include <QScreen>
#include <QShortcut>

#include <string>

ExtraWindow::ExtraWindow(const QString& name, int borderStyle, QWidget* parent)
    : platform::FormBase(name, borderStyle, parent), percent_(zoom::percent())
{
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setObjectName(QStringLiteral("escapeCloses"));
    connect(escape, &QShortcut::activated, this, [this] { Unload(); });
    zoom::Zoom::addShortcuts(this);
    connect(&zoom::Zoom::instance(), &zoom::Zoom::changed, this, [this](int percent) {
        // A window the user sized keeps its proportions at the new zoom, as
        // far as its screen has room.
        if (BorderStyle() == platform::bsSizable || BorderStyle() == platform::bsSizableToolWindow) {
            QSize wanted = size() * percent / percent_;
            if (QScreen* s = screen())
                wanted = wanted.boundedTo(s->availableGeometry().size() - (frameGeometry().size() - size()));
            resize(wanted);
        }
        percent_ = percent;
        applyZoom(percent);
        if (isVisible())
            ui::keepOnScreen(this);
    });
}

void ExtraWindow::showEvent(QShowEvent* event)
{
    // The first time: beside the window it was opened from, then where the
    // user last left it, then whole on a screen.
    if (!placed_) {
        placed_ = true;
        // Placed at the size it will show at: a layout not yet run would
        // grow the window past the screen's edge after it was placed.
        if (layout())
            layout()->activate();
        QWidget* owner = QApplication::activeWindow();
        if (owner && owner != this) {
            // Beside it where there is room, so both show; otherwise against
            // the screen's edge on its roomier side, covering as little of it
            // as the window's width allows.
            const QRect o = owner->frameGeometry();
            const QRect avail = owner->screen()->availableGeometry();
            QRect r = frameGeometry();
            r.moveCenter(o.center());
            if (o.right() + r.width() <= avail.right())
                r.moveLeft(o.right() + 1);
            else if (o.left() - r.width() >= avail.left())
                r.moveRight(o.left() - 1);
            else if (o.bottom() + r.height() <= avail.bottom())
                r.moveTop(o.bottom() + 1);
            else if (avail.right() - o.right() >= o.left() - avail.left())
                r.moveRight(avail.right());
            else
                r.moveLeft(avail.left());
            move(r.topLeft());
        } else {
            centerOnScreen();
        }
        const std::string name = objectName().toStdString() + ".Form_Load()";
        errors::Procedure(name, [&] { utFormSettingsLoad(*this); });
        ui::keepOnScreen(this);
        ui::keepFramePlaceWhenFramed(this);
    }
    platform::FormBase::showEvent(event);
}

void ExtraWindow::Form_Unload()
{
    const std::string name = objectName().toStdString() + ".Form_Unload()";
    errors::Procedure(name, [&] {
        if (placed_)
            utFormSettingsSave(*this);
    });
}

QLabel* ExtraWindow::plainLabel(QWidget* parent, const char* name, const QString& text, const QString& accessible)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    l->setAccessibleName(accessible);
    return l;
}
