#include "platform/forms.h"

#include <QHash>
#include <algorithm>

namespace platform {

Form::~Form()
{
    Forms::removed(this);
}

bool Form::CallByName(const QString&)
{
    return false;
}

namespace {
std::vector<Form*>& list()
{
    static std::vector<Form*> l;
    return l;
}
QHash<QString, Forms::Factory>& factories()
{
    static QHash<QString, Forms::Factory> f;
    return f;
}
std::function<Form*()>& activeFormFn()
{
    static std::function<Form*()> f;
    return f;
}
std::function<bool()>& activeControlFn()
{
    static std::function<bool()> f;
    return f;
}
} // namespace

const std::vector<Form*>& Forms::loaded()
{
    return list();
}

void Forms::added(Form* form)
{
    if (std::find(list().begin(), list().end(), form) == list().end())
        list().push_back(form);
}

void Forms::removed(Form* form)
{
    list().erase(std::remove(list().begin(), list().end(), form), list().end());
}

Form* Forms::find(const QString& name)
{
    for (Form* f : list())
        if (f->Name().compare(name, Qt::CaseInsensitive) == 0)
            return f;
    return nullptr;
}

Form* Forms::active()
{
    return activeFormFn() ? activeFormFn()() : nullptr;
}

bool Forms::hasActiveControl()
{
    return activeControlFn() ? activeControlFn()() : false;
}

void Forms::setActiveProvider(std::function<Form*()> activeForm, std::function<bool()> activeControl)
{
    activeFormFn() = std::move(activeForm);
    activeControlFn() = std::move(activeControl);
}

Forms::Factory Forms::registerFactory(const QString& name, Factory factory)
{
    Factory previous = factories().value(name.toLower());
    if (factory)
        factories().insert(name.toLower(), std::move(factory));
    else
        factories().remove(name.toLower());
    return previous;
}

Form* Forms::load(const QString& name)
{
    if (Form* f = find(name))
        return f;
    auto it = factories().constFind(name.toLower());
    if (it == factories().constEnd())
        return nullptr;
    Form* f = (*it)();
    if (f)
        added(f);
    return f;
}

} // namespace platform
