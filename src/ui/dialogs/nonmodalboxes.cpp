#include "ui/dialogs/nonmodalboxes.h"

#include "platform/gui/formbase.h"
#include "util/formutils.h"

int utNonModalBoxRegister(platform::FormBase* box)
{
    const int number = utNonModalBoxAdd(box);
    box->setProperty("Tag", QString::number(number));
    return number;
}

void utNonModalBoxClose(platform::FormBase* box)
{
    bool ok = false;
    const int number = box->property("Tag").toString().toInt(&ok);
    if (ok)
        utNonModalBoxUnload(number);
    if (!box->isUnloading())
        box->Unload();
}
