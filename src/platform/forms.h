#pragma once
#include <QString>
#include <functional>
#include <vector>

namespace platform {

// Layout units of the windows: 15 twips to one logical pixel.
constexpr int TwipsPerPixel = 15;
constexpr int twipsToPx(int twips)
{
    return twips / TwipsPerPixel;
}
constexpr int pxToTwips(int px)
{
    return px * TwipsPerPixel;
}

// Border styles and window states as the framework numbers them.
enum BorderStyle {
    bsNone = 0,
    bsFixedSingle = 1,
    bsSizable = 2,
    bsFixedDialog = 3,
    bsFixedToolWindow = 4,
    bsSizableToolWindow = 5
};
enum WindowState { wsNormal = 0, wsMinimized = 1, wsMaximized = 2 };

// A loaded window as the framework sees it: enough to list, place, hide and
// unload it without knowing the toolkit. Geometry is in twips.
class Form {
public:
    virtual ~Form();
    virtual QString Name() const = 0;
    virtual QString Caption() const = 0;
    virtual bool Visible() const = 0;
    virtual void Show(bool modal) = 0;
    virtual void Hide() = 0;
    virtual int BorderStyle() const = 0;
    virtual int WindowState() const = 0;
    virtual void SetWindowState(int state) = 0;
    virtual int Top() const = 0;
    virtual int Left() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetTop(int twips) = 0;
    virtual void SetLeft(int twips) = 0;
    virtual void SetWidth(int twips) = 0;
    virtual void SetHeight(int twips) = 0;
    // Unloads the window; the object is gone when this returns.
    virtual void Unload() = 0;
    // Calls a public operation by name ("SaveSettings"); false if the window has none.
    virtual bool CallByName(const QString& operation);
    // A window that serves the main window (the subnet table and the like):
    // it does not hold the program open, and goes when the main window does.
    virtual bool Extra() const { return false; }
};

// The loaded windows, in the order they were loaded.
class Forms {
public:
    static const std::vector<Form*>& loaded();
    static void added(Form* form);
    static void removed(Form* form);
    static Form* find(const QString& name); // case-insensitive

    // The active window and whether the screen has an active control; the
    // window layer answers these.
    static Form* active();
    static bool hasActiveControl();
    static void setActiveProvider(std::function<Form*()> activeForm, std::function<bool()> activeControl);

    // Windows are created by name through factories the window layer registers.
    using Factory = std::function<Form*()>;
    // Returns the factory it replaces (empty if none), so tests can put it back.
    static Factory registerFactory(const QString& name, Factory factory);
    // The loaded window of that name, loading a new one if none is loaded (nullptr if unknown).
    static Form* load(const QString& name);
};

} // namespace platform
