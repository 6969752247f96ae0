#pragma once
#include "platform/gui/formbase.h"

class QLabel;
class QPushButton;
class QTreeWidget;

// What the calculator window does with each key and mouse action, in one
// short list: F1 opens it over the calculator (or where it was last left),
// Escape closes it. It is as large as its rows need and grows with the zoom.
class frmKeys : public platform::FormBase {
    Q_OBJECT
public:
    explicit frmKeys(QWidget* parent = nullptr);

    QTreeWidget* lvKeys() const { return lvKeys_; }
    // It belongs to the calculator: closing the calculator ends the program
    // with the list open.
    bool Extra() const override { return true; }

protected:
    void showEvent(QShowEvent* event) override;
    // Keeps the placement for the next opening.
    void Form_Unload() override;

private:
    void layout(int percent);

    QLabel* Label1_;
    QTreeWidget* lvKeys_;
    QPushButton* cmdOptions_;
    bool placed_ = false;
};
