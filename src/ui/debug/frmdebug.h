#pragma once
// A diagnostic window: the live procedure stack, the loaded windows, the
// command line and the uptime, refreshed on demand or every second. It never
// keeps the program alive (utFormUnload passes over it).
#include "platform/gui/formbase.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTimer;

class frmDebug : public platform::FormBase {
    Q_OBJECT
public:
    frmDebug();

    // Fills every list and label from a fresh snapshot.
    void RefreshForm();
    // Free lines a developer may write values into while tracking a problem.
    void SetWatch(int index, const QString& text);
    void SetTimerText(int index, const QString& text);

    void cmdRefresh_Click();
    void cmdClearLogs_Click();
    void cmdTest_Click();
    void chkTimerEnabled_Click();
    void timerRefresh_Timer();

private:
    QLabel* lblText[2];
    QListWidget* lstStack;
    QListWidget* lstWindows;
    QPushButton* cmdRefresh;
    QPushButton* cmdClearLogs;
    QPushButton* cmdTest;
    QCheckBox* chkTimerEnabled;
    QCheckBox* chkLogTimers;
    QLabel* lblTimerL[5];
    QLabel* lblTimer[5];
    QLabel* lblWatch[10];
    QLabel* lblCommandLine;
    QLabel* lblUpTime;
    QTimer* timerRefresh;
    bool timerTextSet_[5] = {};
};
