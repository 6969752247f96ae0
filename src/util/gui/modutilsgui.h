#pragma once
// Shared routines of the framework ("ut" routines) that work on controls.
class QWidget;

// Makes a text control read-only (Locked) or editable and paints its
// background in the button-face colour when locked, the window-background
// colour when not. A control without a read-only setting is reported (438).
void utControlLock(QWidget* control, bool locked);

// Selects the whole text of the control that has the focus. Errors (no focused
// control, a control without text) are logged without the "Unexpected Error"
// dialog.
void utHighlight();

// ContainerWidth - Control.Left - Margin, in twips: the width that makes the
// control reach the container's right edge less the margin.
int utFormResize_WidthSpring(const QWidget* control, int containerWidth, int margin);
