#include "util/formutils.h"

#include "errors/procedure.h"
#include "platform/forms.h"
#include "platform/process.h"
#include "util/appshutdown.h"

#include <QHash>
#include <algorithm>
#include <vector>

using errors::Procedure;
using platform::Form;
using platform::Forms;

namespace {
bool isNamed(const Form* f, const char* lowerName)
{
    return f->Name().toLower() == QLatin1String(lowerName);
}

bool stillLoaded(const Form* f)
{
    const auto& all = Forms::loaded();
    return std::find(all.begin(), all.end(), f) != all.end();
}

// Position-independent: a box closing itself must not close another one.
struct NonModalBoxes {
    QHash<QString, Form*> byKey;
    int lastNumber = 0;
};
NonModalBoxes& boxes()
{
    static NonModalBoxes b;
    return b;
}
QString boxKey(int number)
{
    return QStringLiteral("FID") + QString::number(number);
}
} // namespace

void utFormUnload(std::optional<int> unloadMode, const QString& commandLine, bool silent)
{
    Procedure("utFormUnload()", [&] {
        // The debug window and the main window's extra windows (the subnet
        // table and the like) do not hold the program open.
        for (const Form* f : Forms::loaded())
            if (f->Visible() && !isNamed(f, "frmdebug") && !f->Extra())
                return;
        RequestAppShutdown(unloadMode, commandLine, silent);
    });
}

void utFormsUnloadAll()
{
    Procedure("utFormsUnloadAll()", [] {
        const size_t count = Forms::loaded().size();
        for (size_t i = 0; i < count; ++i) {
            if (!Forms::hasActiveControl())
                break;
            Form* active = Forms::active();
            if (!active || isNamed(active, "frmmain"))
                break;
            active->Unload();
        }

        // Unloading one window may unload others: work on a snapshot and skip
        // what has gone meanwhile.
        const std::vector<Form*> others = Forms::loaded();
        for (Form* f : others)
            if (stillLoaded(f) && !isNamed(f, "frmmain"))
                f->Unload();

        // A hidden main window has had its placement saved: saving is what
        // hid it (its close handler saves before asking for the shutdown).
        // Saving it again would only repeat that save, and its failure.
        const std::vector<Form*> rest = Forms::loaded();
        for (Form* f : rest) {
            if (!stillLoaded(f))
                continue;
            if (isNamed(f, "frmmain") && f->Visible())
                f->CallByName(QStringLiteral("SaveSettings"));
            if (stillLoaded(f))
                f->Unload();
        }
    });
}

int utNonModalBoxAdd(Form* box)
{
    NonModalBoxes& b = boxes();
    const int number = ++b.lastNumber;
    b.byKey.insert(boxKey(number), box);
    return number;
}

void utNonModalBoxUnload(int number)
{
    try {
        Form* box = boxes().byKey.take(boxKey(number));
        if (box && stillLoaded(box))
            box->Unload();
    } catch (const platform::ProcessEnded&) {
        throw;
    } catch (...) {
        // A box that cannot be closed stays open; nothing to report.
    }
}

int utNonModalBoxCount()
{
    return int(boxes().byKey.size());
}
