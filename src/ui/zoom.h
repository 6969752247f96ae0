#pragma once
// The program's zoom: one size for all its calculator windows, from 100% to
// 300% in steps of 25%, so that a projected window can be read from the back
// of a room. Windows lay themselves out again when it changes.
#include <QFont>
#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QRect>

#include <functional>
#include <vector>

class QWidget;

namespace zoom {

constexpr int Normal = 100;
constexpr int Largest = 300;
constexpr int Step = 25;

// A zoom a window can show: the nearest step within the range.
int clamp(int percent);

// Design units (twips, 15 to a pixel at 100%) in pixels at a zoom. Edges are
// rounded down and sizes are differences of edges, so controls that meet in
// the design meet on the screen at every zoom.
int px(int twips, int percent);
QRect rect(int left, int top, int width, int height, int percent);
void place(QWidget* w, int left, int top, int width, int height, int percent);
// A font of the given design pixel size, scaled (rounded down, so a text that
// fits at 100% fits at every step).
QFont scaled(const QFont& font, int designPixelSize, int percent);

// A window's client size at a zoom, in pixels.
using SizeAt = std::function<QSize(int percent)>;

// A window of fixed size as the zoom sees it: its client size at each zoom,
// the frame the window system draws around it, and the available area of its
// screen (all in pixels).
struct WindowFit {
    SizeAt clientAt;
    QMargins frame;
    QRect available;
};

// The zoom to go to when `wanted` is asked for at `from`: a smaller step as
// asked; a larger one only as far as the largest step at which every window,
// frame included, still fits its available area (`from` when none does).
int largestFittingStep(int from, int wanted, const std::vector<WindowFit>& windows);

// Tells the windows when the zoom changes.
class Zoom : public QObject {
    Q_OBJECT
public:
    static Zoom& instance();
    int percent() const { return percent_; }
    // Clamped to a step; emits changed when it differs, then brings every
    // window that follows the zoom whole onto its screen, moving it as little
    // as it can.
    void set(int percent);
    // As set, but growing only as far as the windows fit their screens.
    void setFitting(int percent) { set(fitting(percent)); }
    void zoomIn() { setFitting(percent_ + Step); }
    void zoomOut() { set(percent_ - Step); }
    void reset() { set(Normal); }
    // The step setFitting goes to for `percent`.
    int fitting(int percent) const;
    // Whether zoomIn would grow the windows.
    bool canZoomIn() const { return fitting(percent_ + Step) > percent_; }

    // Ctrl+= (and Ctrl++), Ctrl+- and Ctrl+0 on a window zoom the program,
    // and the window follows the zoom (see follow).
    static void addShortcuts(QWidget* window);
    // A window that lays itself out for each zoom: zooming in stops before a
    // fixed-size one outgrows its screen. `clientAt` gives its size at a zoom;
    // without it the size is taken to grow with the zoom.
    void follow(QWidget* window, SizeAt clientAt = {});

signals:
    void changed(int percent);

private:
    struct Follower {
        QPointer<QWidget> window;
        SizeAt clientAt;
    };
    int percent_ = Normal;
    std::vector<Follower> followers_;
};

inline int percent()
{
    return Zoom::instance().percent();
}

} // namespace zoom

// The zoom is kept with a window's placement: value window name + "_Zoom" (a
// percentage) in section "Startup". A missing or damaged value leaves the
// zoom as it is; a larger one than the windows' screens hold is brought down
// to the largest step they do.
void utFormZoomLoad(const QString& windowName);
void utFormZoomSave(const QString& windowName);
