#include "platform/gui/widgetmessages.h"

#include "platform/forms.h"
#include "platform/gui/formbase.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

namespace {
struct ButtonSpec {
    QMessageBox::StandardButton button;
    int result;
};

std::vector<ButtonSpec> buttonsFor(int style)
{
    switch (buttonsOf(style)) {
    case vbOKCancel: return {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}};
    case vbAbortRetryIgnore:
        return {{QMessageBox::Abort, vbAbort}, {QMessageBox::Retry, vbRetry}, {QMessageBox::Ignore, vbIgnore}};
    case vbYesNoCancel: return {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}};
    case vbYesNo: return {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}};
    case vbRetryCancel: return {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}};
    default: return {{QMessageBox::Ok, vbOK}};
    }
}

QMessageBox::Icon iconFor(int style)
{
    switch (iconOf(style)) {
    case vbCritical: return QMessageBox::Critical;
    case vbQuestion: return QMessageBox::Question;
    case vbExclamation: return QMessageBox::Warning;
    case vbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}
} // namespace

int WidgetMessages::show(const std::string& text, int style, const std::string& title)
{
    QMessageBox box(iconFor(style), QString::fromStdString(title),
                    QString::fromStdString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")),
                    QMessageBox::NoButton, QApplication::activeWindow());
    const auto specs = buttonsFor(style);
    for (const ButtonSpec& s : specs)
        box.addButton(s.button);
    box.setDefaultButton(specs.front().button);
    // Closing the box without a button counts as its last button (Cancel/No/OK).
    box.setEscapeButton(specs.back().button);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const ButtonSpec& s : specs)
        if (s.button == clicked)
            return s.result;
    return specs.back().result;
}

void WidgetMessages::beep()
{
    QApplication::beep();
}

void installWidgetPlatform()
{
    static WidgetMessages messages;
    setMessageSink(&messages);
    Forms::setActiveProvider([]() -> Form* { return formOf(QApplication::activeWindow()); },
                             [] { return QApplication::focusWidget() != nullptr; });
}

} // namespace platform
