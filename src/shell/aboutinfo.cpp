#include "shell/aboutinfo.h"

#include "errors/procedure.h"
#include "platform/appinfo.h"
#include "platform/desktoplauncher.h"
#include "platform/messagebox.h"
#include "platform/process.h"
#include "platform/qtstrings.h"
#include "platform/registryreader.h"
#include "util/modutils.h"

#include <QFileInfo>

#include <algorithm>

using namespace platform;

namespace about {

const char* const SysInfoUnavailable = "System Information Is Unavailable At This Time";

QString Caption()
{
    return QStringLiteral("About ") + qstr(App().title);
}

QString VersionText()
{
    const AppInfo& a = App();
    return QStringLiteral("Version %1.%2%3").arg(a.major).arg(a.minor).arg(a.revision);
}

QString DescriptionText()
{
    return QStringLiteral("Please feel free to report bugs, suggestions, questions, etc to me on the addresses below. "
                          "Updates and other usefull learning tools will also be posted there.");
}

QString TermsText()
{
    return QStringLiteral("This program is free of charge. It must not be changed without the developer's "
                          "consent, and it may be passed on only through the developer's own installation "
                          "package, unchanged.");
}

QString CreditText()
{
    return QStringLiteral("Designed and written by %1.").arg(qstr(App().companyName));
}

// Addresses in a reserved domain until the author's own are filled in here,
// so that no stranger's mailbox or site is ever opened.
QString MailLink()
{
    return QStringLiteral("mailto:quillmark@tamsworth.example");
}

QString HomePageLink()
{
    return QStringLiteral("https://tamsworth.example/quillmark");
}

namespace {
constexpr quint32 ValueBufferSize = 1024;

// Keys opened here are closed on every way out, errors included.
class OpenKey {
public:
    OpenKey(RegistryReader& reader, quintptr key) : reader_(reader), key_(key) {}
    ~OpenKey() { reader_.closeKey(key_); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

private:
    RegistryReader& reader_;
    quintptr key_;
};
} // namespace

bool GetKeyValue(quint32 KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal)
{
    return errors::Function<bool>("frmAbout.GetKeyValue()", [&](bool& result) {
        RegistryReader& reader = registryReader();
        quintptr key = 0;
        // Read access only: asking for more is refused to ordinary users
        // under the local-machine root, and a reader needs no more.
        if (reader.openKey(KeyRoot, KeyName, reg::KeyRead, &key) != reg::Success) {
            KeyVal.clear();
            return;
        }
        OpenKey closer(reader, key);
        quint32 type = 0;
        QByteArray data;
        if (reader.queryValue(key, SubKeyRef, &type, &data, ValueBufferSize) != reg::Success) {
            KeyVal.clear();
            return;
        }
        if (data.endsWith('\0'))
            data.chop(1);
        switch (type) {
        case reg::RegSz: KeyVal = QString::fromLocal8Bit(data); break;
        case reg::RegDword: {
            // Little-endian; a dropped zero high byte leaves the value alone.
            quint32 value = 0;
            for (qsizetype i = std::min<qsizetype>(data.size(), 4) - 1; i >= 0; --i)
                value = (value << 8) | static_cast<quint8>(data.at(i));
            KeyVal = QString::number(value);
            break;
        }
        default: break;
        }
        result = true;
    });
}

QString SysInfoPath()
{
    QString path;
    if (GetKeyValue(reg::LocalMachine, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                    QStringLiteral("PATH"), path))
        return path;
    if (GetKeyValue(reg::LocalMachine, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                    QStringLiteral("MSINFO"), path)) {
        const QString tool = utPathBackslashAdd(path) + QStringLiteral("MSINFO32.EXE");
        if (QFileInfo(tool).isFile())
            return tool;
    }
    return QString();
}

void StartSysInfo()
{
    try {
        const QString path = SysInfoPath();
        qint64 pid = 0;
        if (!path.isEmpty() && desktopLauncher().startProgram(path, {}, QString(), &pid))
            return;
    } catch (const ProcessEnded&) {
        throw;
    } catch (...) {
        // Any failure on the way ends in the same message.
    }
    MsgBox(QString::fromLatin1(SysInfoUnavailable), vbOKOnly);
}

void LinkHover::overLink(int index)
{
    if (index == 0 || index == 1)
        underlined[index] = true;
}

void LinkHover::overSurface()
{
    underlined[0] = underlined[1] = false;
}

} // namespace about
