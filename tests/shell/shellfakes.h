#pragma once
// Stand-ins for the desktop's opener and the registry, recording what they
// were asked.
#include "platform/desktoplauncher.h"
#include "platform/registryreader.h"

#include <QHash>
#include <QSet>

#include <functional>
#include <vector>

class FakeLauncher : public platform::DesktopLauncher {
public:
    struct Call {
        QString action; // "open", "print" or "start"
        QString target;
        QStringList arguments;
        QString folder;
    };
    FakeLauncher() : previous_(platform::setDesktopLauncher(this)) {}
    ~FakeLauncher() override { platform::setDesktopLauncher(previous_); }
    FakeLauncher(const FakeLauncher&) = delete;
    FakeLauncher& operator=(const FakeLauncher&) = delete;

    bool openUrl(const QUrl& url) override
    {
        calls.push_back({QStringLiteral("open"), url.toString(), {}, {}});
        return accept;
    }
    bool printFile(const QString& path) override
    {
        calls.push_back({QStringLiteral("print"), path, {}, {}});
        return accept;
    }
    bool startProgram(const QString& program, const QStringList& arguments, const QString& folder, qint64* pid) override
    {
        calls.push_back({QStringLiteral("start"), program, arguments, folder});
        if (!accept)
            return false;
        *pid = nextPid;
        running.insert(nextPid++);
        return true;
    }
    bool isRunning(qint64 pid) override { return running.contains(pid); }

    std::vector<Call> calls;
    bool accept = true;
    QSet<qint64> running;
    qint64 nextPid = 4242;

private:
    platform::DesktopLauncher* previous_;
};

class FakeRegistry : public platform::RegistryReader {
public:
    struct Value {
        quint32 type;
        QByteArray data;
    };
    FakeRegistry() : previous_(platform::setRegistryReader(this)) {}
    ~FakeRegistry() override { platform::setRegistryReader(previous_); }
    FakeRegistry(const FakeRegistry&) = delete;
    FakeRegistry& operator=(const FakeRegistry&) = delete;

    void set(const QString& key, const QString& name, quint32 type, const QByteArray& data)
    {
        keys[key][name] = {type, data};
    }

    long openKey(quint32 root, const QString& subKey, quint32 access, quintptr* key) override
    {
        accessAsked.push_back(access);
        if (root != platform::reg::LocalMachine || !keys.contains(subKey))
            return platform::reg::FileNotFound;
        opened.push_back(subKey);
        *key = static_cast<quintptr>(opened.size());
        ++openCount;
        return platform::reg::Success;
    }
    long queryValue(quintptr key, const QString& valueName, quint32* type, QByteArray* data,
                    quint32 bufferSize) override
    {
        const auto& values = keys[opened.at(static_cast<size_t>(key - 1))];
        if (!values.contains(valueName))
            return platform::reg::FileNotFound;
        const Value& v = values[valueName];
        if (static_cast<quint32>(v.data.size()) > bufferSize)
            return platform::reg::MoreData;
        *type = v.type;
        *data = v.data;
        return platform::reg::Success;
    }
    long closeKey(quintptr) override
    {
        --openCount;
        return platform::reg::Success;
    }

    QHash<QString, QHash<QString, Value>> keys;
    std::vector<QString> opened;
    std::vector<quint32> accessAsked;
    int openCount = 0; // keys still open

private:
    platform::RegistryReader* previous_;
};
