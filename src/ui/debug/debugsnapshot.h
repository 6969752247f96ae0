#pragma once
// What the debug window shows, gathered without a window.
#include <QDateTime>
#include <QStringList>

struct DebugSnapshot {
    QStringList stack;   // "01  Main", the live procedure stack from the bottom
    QStringList windows; // "frmMain - \"caption\"", in load order
    QString commandLine; // "cmd: ..."
    QString upTime;      // "Uptime: ..."
};

// The procedure stack, the loaded windows, the command line and the time
// since the application object started, as of now (platform::Now()).
DebugSnapshot takeDebugSnapshot();
// "Uptime: " and the time between start and now; "Uptime: not started" for
// an invalid start.
QString upTimeText(const QDateTime& start, const QDateTime& now);
