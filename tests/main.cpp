// Widget tests run offscreen: test discovery runs this binary at build time
// too, where there may be no display.
#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QByteArray runtimeDir = QDir::tempPath().toLocal8Bit() + "/quillmark-test-runtime";
    QDir().mkpath(QString::fromLocal8Bit(runtimeDir));
    QFile::setPermissions(QString::fromLocal8Bit(runtimeDir),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtimeDir);
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale::c());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
