#include "ui/debug/frmdebug.h"

#include "errors/clserrhandler.h"
#include "errors/procedure.h"
#include "platform/messagebox.h"
#include "platform/qtstrings.h"
#include "ui/debug/debugsnapshot.h"
#include "ui/dialogs/frmtimedmsgbox.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

using errors::Procedure;

namespace {
constexpr int ClientWidth = 7200;
constexpr int ClientHeight = 6420;
constexpr int Row = 240;
constexpr int TimersTop = 3900;

template <typename W> W* make(QWidget* parent, const QString& name, int left, int top, int width, int height)
{
    auto* w = new W(parent);
    w->setObjectName(name);
    platform::FormBase::placeTwips(w, left, top, width, height);
    return w;
}

QLabel* label(QWidget* parent, const QString& name, const QString& text, int left, int top, int width)
{
    auto* l = make<QLabel>(parent, name, left, top, width, 240);
    l->setText(text);
    l->setTextFormat(Qt::PlainText);
    return l;
}
} // namespace

frmDebug::frmDebug() : FormBase(QStringLiteral("frmDebug"), platform::bsFixedSingle)
{
    setWindowTitle(QStringLiteral("Debug Window"));
    setClientSizeTwips(ClientWidth, ClientHeight);

    lblText[0] = label(this, QStringLiteral("lblText_0"), QStringLiteral("Procedure Stack:"), 120, 120, 3480);
    lblText[1] = label(this, QStringLiteral("lblText_1"), QStringLiteral("Open Windows:"), 3720, 120, 3360);
    lstStack = make<QListWidget>(this, QStringLiteral("lstStack"), 120, 360, 3480, 2895);
    lstWindows = make<QListWidget>(this, QStringLiteral("lstWindows"), 3720, 360, 3360, 2895);

    cmdRefresh = make<QPushButton>(this, QStringLiteral("cmdRefresh"), 120, 3360, 1095, 375);
    cmdRefresh->setText(QStringLiteral("Refresh"));
    cmdClearLogs = make<QPushButton>(this, QStringLiteral("cmdClearLogs"), 1320, 3360, 1095, 375);
    cmdClearLogs->setText(QStringLiteral("Clear Logs"));
    cmdTest = make<QPushButton>(this, QStringLiteral("cmdTest"), 2520, 3360, 1080, 375);
    cmdTest->setText(QStringLiteral("Test"));
    cmdTest->setToolTip(QStringLiteral("Shows a timed message box"));
    chkTimerEnabled = make<QCheckBox>(this, QStringLiteral("chkTimerEnabled"), 3720, 3405, 1575, 285);
    chkTimerEnabled->setText(QStringLiteral("Auto Update"));
    chkLogTimers = make<QCheckBox>(this, QStringLiteral("chkLogTimers"), 5400, 3405, 1680, 285);
    chkLogTimers->setText(QStringLiteral("Log Timers"));
    // This program runs no timers of its own worth logging.
    chkLogTimers->setEnabled(false);

    // Timer 1 on top; the array runs from "Timer 5:" at index 0.
    for (int i = 0; i < 5; ++i) {
        const int top = TimersTop + (4 - i) * Row;
        lblTimerL[i] =
            label(this, QStringLiteral("lblTimerL_%1").arg(i), QStringLiteral("Timer %1:").arg(5 - i), 120, top, 840);
        lblTimer[i] = label(this, QStringLiteral("lblTimer_%1").arg(i), QStringLiteral("Loading..."), 960, top, 2640);
    }
    for (int i = 0; i < 10; ++i)
        lblWatch[i] = label(this, QStringLiteral("lblWatch_%1").arg(i), QString(), 3720, TimersTop + i * Row, 3360);
    lblCommandLine = label(this, QStringLiteral("lblCommandLine"), QStringLiteral("cmd:"), 120, 5280, 3480);
    lblUpTime = label(this, QStringLiteral("lblUpTime"), QStringLiteral("uptime"), 120, 5520, 3480);

    timerRefresh = new QTimer(this);
    timerRefresh->setObjectName(QStringLiteral("timerRefresh"));
    timerRefresh->setInterval(1000);

    connect(cmdRefresh, &QPushButton::clicked, this, [this] { cmdRefresh_Click(); });
    connect(cmdClearLogs, &QPushButton::clicked, this, [this] { cmdClearLogs_Click(); });
    connect(cmdTest, &QPushButton::clicked, this, [this] { cmdTest_Click(); });
    connect(chkTimerEnabled, &QCheckBox::toggled, this, [this] { chkTimerEnabled_Click(); });
    connect(timerRefresh, &QTimer::timeout, this, [this] { timerRefresh_Timer(); });

    RefreshForm();
}

void frmDebug::RefreshForm()
{
    Procedure("frmDebug.RefreshForm()", [&] {
        const DebugSnapshot s = takeDebugSnapshot();
        lstStack->clear();
        lstStack->addItems(s.stack);
        lstStack->scrollToBottom();
        lstWindows->clear();
        lstWindows->addItems(s.windows);
        lblCommandLine->setText(s.commandLine);
        lblCommandLine->setToolTip(s.commandLine); // a long one does not fit
        lblUpTime->setText(s.upTime);
        for (int i = 0; i < 5; ++i)
            if (!timerTextSet_[i])
                lblTimer[i]->setText(QStringLiteral("-"));
    });
}

void frmDebug::SetWatch(int index, const QString& text)
{
    if (index >= 0 && index < 10)
        lblWatch[index]->setText(text);
}

void frmDebug::SetTimerText(int index, const QString& text)
{
    if (index < 0 || index >= 5)
        return;
    timerTextSet_[index] = true;
    lblTimer[index]->setText(text);
}

void frmDebug::cmdRefresh_Click()
{
    Procedure("frmDebug.cmdRefresh_Click()", [&] { RefreshForm(); });
}

void frmDebug::cmdClearLogs_Click()
{
    Procedure("frmDebug.cmdClearLogs_Click()", [&] {
        if (!gErrHandler().ClearLog())
            platform::MsgBox(QStringLiteral("The error log could not be cleared."), platform::vbExclamation);
        RefreshForm();
    });
}

void frmDebug::cmdTest_Click()
{
    Procedure("frmDebug.cmdTest_Click()",
              [&] { utMsgbox(QStringLiteral("This is a test of the timed message box."), 5); });
}

void frmDebug::chkTimerEnabled_Click()
{
    Procedure("frmDebug.chkTimerEnabled_Click()", [&] {
        if (chkTimerEnabled->isChecked())
            timerRefresh->start();
        else
            timerRefresh->stop();
    });
}

void frmDebug::timerRefresh_Timer()
{
    Procedure("frmDebug.timerRefresh_Timer()", [&] {
        if (isVisible())
            RefreshForm();
    });
}
