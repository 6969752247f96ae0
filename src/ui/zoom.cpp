#include "ui/zoom.h"

#include "errors/procedure.h"
#include "platform/forms.h"
#include "platform/screens.h"
#include "settings/clsregsettings.h"
#include "settings/settingsstore.h"
#include "ui/screenfit.h"

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

int largestFittingStep(int from, int wanted, const std::vector<WindowFit>& windows)
{
    from = clamp(from);
    wanted = clamp(wanted);
    if (wanted <= from)
        return wanted;
    const auto fitsAt = [&](int percent) {
        return std::all_of(windows.begin(), windows.end(), [&](const WindowFit& w) {
            const QSize client = w.clientAt(percent);
            return client.width() + w.frame.left() + w.frame.right() <= w.available.width() &&
                   client.height() + w.frame.top() + w.frame.bottom() <= w.available.height();
        });
    };
    int best = from;
    // Sizes grow with the zoom: the first step that does not fit ends it.
    for (int step = from + Step; step <= wanted && fitsAt(step); step += Step)
        best = step;
    return best;
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
    // Each window has its new size now; one that grew past its screen's edge
    // moves back just enough, and one that shrank stays where it is.
    for (const Follower& f : followers_)
        if (f.window && f.window->isVisible())
            ui::keepOnScreen(f.window);
}

int Zoom::fitting(int wanted) const
{
    const std::vector<QRect> screens = platform::AvailableScreens();
    if (screens.empty())
        return clamp(wanted);
    std::vector<WindowFit> windows;
    for (const Follower& f : followers_) {
        QWidget* w = f.window;
        // A sizable window is shrunk to its screen instead.
        if (!w || w->minimumSize() != w->maximumSize())
            continue;
        const QRect frame = w->frameGeometry();
        const QRect client = w->geometry();
        const QRect screen =
            platform::NearestScreen(QRect(platform::pxToTwips(frame.left()), platform::pxToTwips(frame.top()),
                                          platform::pxToTwips(frame.width()), platform::pxToTwips(frame.height())),
                                    screens);
        SizeAt clientAt = f.clientAt;
        if (!clientAt)
            clientAt = [size = client.size(), from = percent_](int percent) {
                const auto grown = [&](int length) { return (length * percent + from - 1) / from; };
                return QSize(grown(size.width()), grown(size.height()));
            };
        windows.push_back({clientAt,
                           QMargins(client.left() - frame.left(), client.top() - frame.top(),
                                    frame.right() - client.right(), frame.bottom() - client.bottom()),
                           QRect(platform::twipsToPx(screen.left()), platform::twipsToPx(screen.top()),
                                 platform::twipsToPx(screen.width()), platform::twipsToPx(screen.height()))});
    }
    return largestFittingStep(percent_, wanted, windows);
}

void Zoom::follow(QWidget* window, SizeAt clientAt)
{
    followers_.erase(std::remove_if(followers_.begin(), followers_.end(),
                                    [&](const Follower& f) { return !f.window || f.window == window; }),
                     followers_.end());
    followers_.push_back({window, std::move(clientAt)});
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
    instance().follow(window);
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
            Zoom::instance().setFitting(int(std::lround(d)));
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
