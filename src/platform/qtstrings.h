#pragma once
// The framework core speaks UTF-8 std::string; the windows, settings and data
// speak QString. These keep the Qt side's calls short.
#include "platform/messagebox.h"
#include "platform/runtimeerror.h"

#include <QString>
#include <string>
#include <string_view>
#include <type_traits>

namespace platform {

inline QString qstr(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

inline std::string stdstr(const QString& s)
{
    return s.toStdString();
}

// For QString texts only, so that a plain literal still picks the UTF-8 version.
template <typename Text, typename = std::enable_if_t<std::is_same_v<Text, QString>>>
int MsgBox(const Text& text, int style = vbOKOnly, const QString& title = QString())
{
    return MsgBox(stdstr(text), style, stdstr(title));
}

template <typename Text, typename = std::enable_if_t<std::is_same_v<Text, QString>>>
[[noreturn]] void Raise(long number, const Text& description, const QString& source = QString())
{
    Raise(number, stdstr(description), stdstr(source));
}

} // namespace platform
