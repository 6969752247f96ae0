#pragma once
// What the About window shows and does, without the window.
#include <QString>

namespace about {

// "About " + the application title.
QString Caption();
// "Version " + major + "." + minor + revision: 1.0.5 gives "Version 1.05".
QString VersionText();
QString DescriptionText();
// The terms of use and the author's credit.
QString TermsText();
QString CreditText();
// The two links; each caption is the address a click opens.
QString MailLink();
QString HomePageLink();

extern const char* const SysInfoUnavailable;

// Reads one registry value, read-only. A string comes back without its
// terminating zero, a 32-bit number as its decimal text; for other types
// KeyVal keeps what the caller passed. A missing key or value gives False and
// an empty KeyVal.
bool GetKeyValue(quint32 KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal);

// The System Information tool's path from the registry, or "" when the
// system has none.
QString SysInfoPath();
// Starts the System Information tool without waiting for it, or says that it
// is unavailable.
void StartSysInfo();

// Underlines of the two links: moving over a link underlines it, moving over
// the window's own surface clears both, anything else leaves them.
struct LinkHover {
    bool underlined[2] = {false, false};
    void overLink(int index);
    void overSurface();
};

} // namespace about
