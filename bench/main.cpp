// The one entry point of the benchmarks: a QApplication on the offscreen
// platform, so window benchmarks run without a display, then every benchmark
// of every bench file.
#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QByteArray runtimeDir = QDir::tempPath().toLocal8Bit() + "/quillmark-bench-runtime";
    QDir().mkpath(QString::fromLocal8Bit(runtimeDir));
    QFile::setPermissions(QString::fromLocal8Bit(runtimeDir),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtimeDir);
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
