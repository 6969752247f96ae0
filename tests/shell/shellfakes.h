#pragma once
// Stand-ins for the desktop's opener and the registry, recording what they
// were asked.
#include "platform/desktoplauncher.h"
#include "platform/registryreader.h"

#include <QHash>
#include <QSet>

#include <functional>
#include <tuple>
#include <vector>

class FakeLauncher : public platform::DesktopLauncher {
public:
    FakeLauncher() : previous_(platform::setDesktopLauncher(this)) {}
    ~FakeLauncher() override { platform::setDesktopLauncher(previous_); }

    bool openUrl(const QUrl& url) override { return record("open " + url.toString()); }
    bool printFile(const QString& path) override { return record("print " + path); }
    bool startProgram(const QString& program, const QStringList& arguments, const QString& folder, qint64* pid) override
    {
        if (!record("start " + program + " [" + arguments.join('|') + "] in " + folder))
            return false;
        running.insert(*pid = nextPid++);
        return true;
    }
    bool isRunning(qint64 pid) override { return running.contains(pid); }
    QStringList seen() const { return QStringList(calls.begin(), calls.end()); }

    // Each call as "open URL", "print path" or "start program [arg|arg] in folder".
    std::vector<QString> calls;
    bool accept = true;
    std::function<void()> fault; // runs before each call is recorded
    QSet<qint64> running;
    qint64 nextPid = 4242;

private:
    bool record(const QString& call)
    {
        if (fault)
            fault();
        calls.push_back(call);
        return accept;
    }
    platform::DesktopLauncher* previous_;
};

class FakeRegistry : public platform::RegistryReader {
public:
    FakeRegistry() : previous_(platform::setRegistryReader(this)) {}
    ~FakeRegistry() override { platform::setRegistryReader(previous_); }

    void set(const QString& key, const QString& name, quint32 type, const QByteArray& data)
    {
        keys[key][name] = {type, data};
    }
    long openKey(quint32 root, const QString& subKey, quint32 access, quintptr* key) override
    {
        onlyRead = onlyRead && access == platform::reg::KeyRead;
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
        const auto values = keys[opened.at(key - 1)];
        if (!values.contains(valueName))
            return platform::reg::FileNotFound;
        if (static_cast<quint32>(values[valueName].second.size()) > bufferSize)
            return platform::reg::MoreData;
        std::tie(*type, *data) = values[valueName];
        return platform::reg::Success;
    }
    long closeKey(quintptr) override
    {
        --openCount;
        return platform::reg::Success;
    }

    QHash<QString, QHash<QString, std::pair<quint32, QByteArray>>> keys;
    std::vector<QString> opened;
    int openCount = 0;    // keys still open
    bool onlyRead = true; // every key was opened for reading only

private:
    platform::RegistryReader* previous_;
};
