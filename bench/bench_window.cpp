// The main window's refresh on real widgets (offscreen), with and without
// painting the result, and the program's start until its window has painted.
#include "app/clsapp.h"
#include "app/modmain.h"
#include "errors/clserrhandler.h"
#include "model/clsipaddy.h"
#include "platform/appinfo.h"
#include "ui/main/frmmain.h"
#include "ui/subnets/frmsubnets.h"
#include "ui/subnets/subnetmodel.h"
#include "ui/subnets/subnetview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QHeaderView>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct Sample {
    int octets[4];
    int bits;
};
// Every class, masks above, at and below the class's network bits: the texts
// and the bars change on every refresh.
constexpr Sample kSamples[] = {
    {{192, 168, 1, 1}, 24}, {{172, 16, 5, 10}, 20},     {{10, 1, 2, 3}, 31}, {{192, 168, 1, 77}, 26},
    {{224, 0, 0, 1}, 24},   {{255, 255, 255, 255}, 31}, {{127, 0, 0, 1}, 8}, {{192, 168, 1, 1}, 20},
};
constexpr size_t kSampleCount = sizeof(kSamples) / sizeof(kSamples[0]);

// A loaded main window over a fresh application object, its files kept in a
// private folder.
class Window {
public:
    Window()
    {
        platform::setAppPathOverride(dir_.path().toStdString());
        InstallAppServices();
        gErrHandlerRenew().Destination(dir_.filePath(QStringLiteral("error.log")).toStdString());
        gApp = std::make_unique<clsApp>();
        form_ = std::make_unique<frmMain>();
        form_->show();
        QApplication::processEvents();
    }
    ~Window()
    {
        form_.reset();
        gApp.reset();
        platform::setAppPathOverride({});
    }
    frmMain& form() { return *form_; }
    void load(const Sample& s)
    {
        for (int k = 0; k < 4; ++k)
            gApp->IPAddy->IPAddress(k + 1, s.octets[k]);
        gApp->IPAddy->SubnetBits(s.bits);
    }

private:
    QTemporaryDir dir_;
    std::unique_ptr<frmMain> form_;
};

// The refresh on real widgets; with argument 1 also as the user sees it: the
// event loop then paints what changed.
void BM_WindowUpdateForm(benchmark::State& state)
{
    const bool paint = state.range(0) == 1;
    Window w;
    size_t i = 0;
    for (auto _ : state) {
        w.load(kSamples[i++ % kSampleCount]);
        w.form().UpdateForm();
        if (paint)
            QApplication::processEvents();
    }
}
BENCHMARK(BM_WindowUpdateForm)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The whole program, offscreen, from exec until the main window's first paint
// (QUILLMARK_EXIT_AFTER_SHOW ends it there).
void BM_StartUntilWindowShown(benchmark::State& state)
{
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/quillmark");
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QUILLMARK_EXIT_AFTER_SHOW"), QStringLiteral("1"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    for (auto _ : state) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(program, {});
        if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
            const std::string why = "the program did not start and show its window: " + p.errorString().toStdString() +
                                    " " + p.readAllStandardError().toStdString();
            state.SkipWithError(why.c_str());
            break;
        }
    }
}
BENCHMARK(BM_StartUntilWindowShown)->Unit(benchmark::kMillisecond)->Iterations(20)->UseRealTime();

// The resident memory of this process in bytes.
double residentBytes()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = f.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * 4096 : 0;
}

// Counts the paints a widget receives.
class PaintCount : public QObject {
public:
    explicit PaintCount(QWidget* w) { w->installEventFilter(this); }
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void paintOnce(PaintCount& count)
{
    const int before = count.paints;
    for (int i = 0; i < 1000 && count.paints == before; ++i)
        QApplication::processEvents();
}

// The subnet table on a class A network at /31 (8,388,608 rows): from
// constructing the window to its first paint, then from End to the last row
// painted. Time is the two together (closing, which saves the placement, is
// not timed); the counters give each step in ms and the memory grown by.
void BM_SubnetTable8M(benchmark::State& state)
{
    QTemporaryDir dir;
    platform::setAppPathOverride(dir.path().toStdString());
    InstallAppServices();
    gErrHandlerRenew().Destination(dir.filePath(QStringLiteral("error.log")).toStdString());
    // The window keeps its placement in the application's settings.
    gApp = std::make_unique<clsApp>();
    double open = 0, end = 0, grew = 0;
    for (auto _ : state) {
        const double rss = residentBytes();
        QElapsedTimer t;
        t.start();
        auto* table = new frmSubnets;
        table->setAddress(0x0A000000u, 31);
        PaintCount count(table->view()->viewport());
        table->show();
        paintOnce(count);
        open += t.nsecsElapsed() / 1e6;
        if (table->view()->model()->rowCount() != 8388608) {
            state.SkipWithError("not 8,388,608 rows");
            break;
        }
        const double opened = t.nsecsElapsed() / 1e9;
        t.restart();
        table->view()->selectRow(table->view()->model()->rowCount() - 1);
        paintOnce(count);
        end += t.nsecsElapsed() / 1e6;
        state.SetIterationTime(opened + t.nsecsElapsed() / 1e9);
        grew += (residentBytes() - rss) / 1e6;
        table->Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    const double n = double(state.iterations());
    state.counters["open_ms"] = open / n;
    state.counters["to_end_ms"] = end / n;
    state.counters["rss_growth_MB"] = grew / n;
    gApp.reset();
    platform::setAppPathOverride({});
}
BENCHMARK(BM_SubnetTable8M)->Unit(benchmark::kMillisecond)->Iterations(10)->UseManualTime();

// The same rows in a stock table view, for comparison: its vertical header
// keeps an entry for every row.
void BM_StockTableView8M(benchmark::State& state)
{
    double grew = 0;
    for (auto _ : state) {
        const double rss = residentBytes();
        SubnetModel model;
        model.setAddress(0x0A000000u, 31);
        QTableView view;
        view.setModel(&model);
        view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        view.resize(800, 600);
        PaintCount count(view.viewport());
        view.show();
        paintOnce(count);
        view.scrollToBottom();
        paintOnce(count);
        grew += (residentBytes() - rss) / 1e6;
    }
    state.counters["rss_growth_MB"] = grew / double(state.iterations());
}
BENCHMARK(BM_StockTableView8M)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace
