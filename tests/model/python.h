#pragma once
// Runs a Python script for tests that check the model against Python's
// ipaddress; nothing when there is no python3 (the test skips).
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <optional>
#include <string>

inline std::optional<std::string> PythonPrints(const char* script)
{
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        return std::nullopt;
    QProcess p;
    p.start(python, {QStringLiteral("-c"), QString::fromUtf8(script)});
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return p.readAllStandardOutput().toStdString();
}
