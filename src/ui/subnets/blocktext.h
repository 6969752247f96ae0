#pragma once
// Addresses and blocks as the subnet table's window writes them.
#include "model/dotted.h"
#include "model/network.h"

#include <QString>

inline QString dottedText(std::uint32_t value)
{
    char buf[dotted::kMaxLength];
    const char* end = dotted::Format(value, buf);
    return QString::fromLatin1(buf, int(end - buf));
}

// "A.B.C.D/N", the block's network address and length.
inline QString blockText(const net::Network4& n)
{
    return dottedText(n.network()) + QLatin1Char('/') + QString::number(n.length());
}
