#pragma once
// The program's zoom: one size for all its calculator windows, from 100% to
// 300% in steps of 25%, so that a projected window can be read from the back
// of a room. Windows lay themselves out again when it changes.
#include <QFont>
#include <QObject>
#include <QRect>

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

// Tells the windows when the zoom changes.
class Zoom : public QObject {
    Q_OBJECT
public:
    static Zoom& instance();
    int percent() const { return percent_; }
    // Clamped to a step; emits changed when it differs.
    void set(int percent);
    void zoomIn() { set(percent_ + Step); }
    void zoomOut() { set(percent_ - Step); }
    void reset() { set(Normal); }

    // Ctrl+= (and Ctrl++), Ctrl+- and Ctrl+0 on a window zoom the program.
    static void addShortcuts(QWidget* window);

signals:
    void changed(int percent);

private:
    int percent_ = Normal;
};

inline int percent()
{
    return Zoom::instance().percent();
}

} // namespace zoom

// The zoom is kept with a window's placement: value window name + "_Zoom" (a
// percentage) in section "Startup". A missing or damaged value leaves the
// zoom as it is.
void utFormZoomLoad(const QString& windowName);
void utFormZoomSave(const QString& windowName);
