#pragma once
// The main window's extra windows (the subnet table, and the IPv6 and
// practice windows to come) share their rules here: Escape closes the window
// alone; the program ends with the main window, whatever extra windows still
// show (utFormUnload passes over them); each keeps its own placement under its
// own name, brought back onto the screen, and follows the program's zoom.
#include "platform/gui/formbase.h"

class QLabel;

class ExtraWindow : public platform::FormBase {
    Q_OBJECT
public:
    ExtraWindow(const QString& name, int borderStyle, QWidget* parent = nullptr);

    bool Extra() const override { return true; }

    // A label of plain text, named for tests and for screen readers: what the
    // extra windows build their captions and answers from.
    static QLabel* plainLabel(QWidget* parent, const char* name, const QString& text, const QString& accessible);

protected:
    // Lays the window out for a zoom. A derived window calls it once at the
    // end of its constructor; later the zoom keys call it.
    virtual void applyZoom(int percent) = 0;

    void showEvent(QShowEvent* event) override;
    // Saves the placement under the window's name.
    void Form_Unload() override;

private:
    bool placed_ = false;
    int percent_;
};
