#include "ui/zoom.h"

#include "errors/procedure.h"
#include "platform/forms.h"
#include "settings/clsregsettings.h"
#include "settings/settingsstore.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace zoom {

namespace {
int floorDiv(qint64 a, qint64 b)
{
    const qint64 q = a / b;
    return int((a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q);
}
} // namespace

int clamp(int percent)
{
    const int step = (std::clamp(percent, Normal, Largest) - Normal + Step / 2) / Step;
    return Normal + step * Step;
}

int px(int twips, int percent)
{
    return floorDiv(qint64(twips) * percent, qint64(platform::TwipsPerPixel) * Normal);
}

QRect rect(int left, int top, int width, int height, int percent)
{
    const int x = px(left, percent);
    const int y = px(top, percent);
    return {x, y, px(left + width, percent) - x, px(top + height, percent) - y};
}

void place(QWidget* w, int left, int top, int width, int height, int percent)
{
    w->setGeometry(rect(left, top, width, height, percent));
}

QFont scaled(const QFont& font, int designPixelSize, int percent)
{
    QFont f(font);
    // To the nearest pixel: cut down, 125% put an 11-pixel font below the
    // 8 points a text may shrink to.
    f.setPixelSize(std::max(1, (designPixelSize * percent + Normal / 2) / Normal));
    return f;
}

Zoom& Zoom::instance()
{
    static Zoom z;
    return z;
}

void Zoom::set(int percent)
{
    percent = clamp(percent);
    if (percent == percent_)
        return;
    percent_ = percent;
    emit changed(percent_);
}

void Zoom::addShortcuts(QWidget* window)
{
    // One shortcut per action: a key that matched two shortcuts would do nothing.
    const struct {
        QList<QKeySequence> keys;
        void (Zoom::*act)();
    } actions[] = {
        {{QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Plus)},
         &Zoom::zoomIn},
        {{QKeySequence(Qt::CTRL | Qt::Key_Minus)}, &Zoom::zoomOut},
        {{QKeySequence(Qt::CTRL | Qt::Key_0)}, &Zoom::reset},
    };
    for (const auto& a : actions) {
        auto* shortcut = new QShortcut(window);
        shortcut->setKeys(a.keys);
        QObject::connect(shortcut, &QShortcut::activated, &instance(), a.act);
    }
}

} // namespace zoom

using zoom::Zoom;

namespace {
const QString Section = QStringLiteral("Startup");
constexpr int REG_DWORD = 4;
} // namespace

void utFormZoomLoad(const QString& windowName)
{
    errors::Procedure("utFormZoomLoad()", [&] {
        clsRegSettings* store = AppSettingsStore();
        if (!store)
            return;
        const QVariant v =
            store->AppSetting(Section, windowName + QStringLiteral("_Zoom"), REG_DWORD, Zoom::instance().percent());
        bool ok = false;
        const double d = v.toDouble(&ok);
        // A damaged value keeps the zoom the window has.
        if (ok && std::isfinite(d) && std::abs(d) < 1e6)
            Zoom::instance().set(int(std::lround(d)));
    });
}

void utFormZoomSave(const QString& windowName)
{
    errors::Procedure("utFormZoomSave()", [&] {
        if (clsRegSettings* store = AppSettingsStore())
            store->AppSetting(Section, windowName + QStringLiteral("_Zoom"), REG_DWORD, QVariant(),
                              Zoom::instance().percent());
    });
}
