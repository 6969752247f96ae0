// The main window's refresh on real widgets (offscreen), with and without
// painting the result, and the program's start until its window has painted.
#include "app/clsapp.h"
#include "app/modmain.h"
#include "errors/clserrhandler.h"
#include "model/clsipaddy.h"
#include "platform/appinfo.h"
#include "ui/main/frmmain.h"

#include <QApplication>
#include <QProcess>
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

} // namespace
