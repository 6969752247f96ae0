#include "ui/extrawindow.h"

#include "errors/procedure.h"
#include "settings/formsettings.h"
#include "ui/screenfit.h"
#include "ui/zoom.h"

#include <QApplication>
#include <QKeySequence>
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
        // A window the user sized keeps its proportions at the new zoom.
        if (BorderStyle() == platform::bsSizable || BorderStyle() == platform::bsSizableToolWindow)
            resize(size() * percent / percent_);
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
        QWidget* owner = QApplication::activeWindow();
        if (owner && owner != this) {
            QRect r = frameGeometry();
            r.moveCenter(owner->frameGeometry().center());
            move(r.topLeft());
        } else {
            centerOnScreen();
        }
        const std::string name = objectName().toStdString() + ".Form_Load()";
        errors::Procedure(name, [&] { utFormSettingsLoad(*this); });
        ui::keepOnScreen(this);
        ui::keepOnScreenWhenFramed(this);
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
