#pragma once
// Shared routines of the framework ("ut" routines) that need no window.
#include <QString>

// Text repeated Count times ("" when Count is below 1).
QString utStringRepeat(const QString& text, int count);

// Path ending in a separator: "\" where paths have drive letters, "/" elsewhere
// ("\" is accepted as an ending on every system).
QString utPathBackslashAdd(const QString& path);
QString utPathBackslashRemove(const QString& path);
