#include "ui/registerwindows.h"

#include "platform/forms.h"
#include "platform/gui/widgetmessages.h"
#include "ui/about/frmabout.h"
#include "ui/classhelp/frmclasshelp.h"
#include "ui/debug/frmdebug.h"
#include "ui/ipv6/frmipv6.h"
#include "ui/keys/frmkeys.h"
#include "ui/main/frmmain.h"
#include "ui/practice/frmpractice.h"
#include "ui/subnets/frmsubnets.h"

namespace ui {

void registerWindows()
{
    platform::installWidgetPlatform();
    platform::Forms::registerFactory(QStringLiteral("frmMain"), [] { return new frmMain; });
    platform::Forms::registerFactory(QStringLiteral("frmClassHelp"), [] { return new frmClassHelp; });
    platform::Forms::registerFactory(QStringLiteral("frmAbout"), [] { return new frmAbout; });
    platform::Forms::registerFactory(QStringLiteral("frmDebug"), [] { return new frmDebug; });
    platform::Forms::registerFactory(QStringLiteral("frmKeys"), [] { return new frmKeys; });
    platform::Forms::registerFactory(QStringLiteral("frmSubnets"), [] { return new frmSubnets; });
    platform::Forms::registerFactory(QStringLiteral("frmIPv6"), [] { return new frmIPv6; });
    platform::Forms::registerFactory(QStringLiteral("frmPractice"), [] { return new frmPractice; });
}

} // namespace ui
