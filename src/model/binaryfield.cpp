#include "model/binaryfield.h"

#include "errors/procedure.h"
#include "model/binarytext.h"
#include "model/clsipaddy.h"
#include "platform/runtimeerror.h"

#include <algorithm>
#include <cmath>
#include <utility>

using errors::Function;
using errors::Procedure;

namespace {
// Writes the 32 address bits back into the model, octet by octet.
void writeOctets(clsIPAddy& model, const QString& bits)
{
    // A failed addition yields no text: writing its "octets" would turn the
    // address into 0.0.0.0, so the address is left as it was.
    if (bits.size() != 32)
        return;
    for (int k = 0; k < 4; ++k)
        model.IPAddress(k + 1, int(std::lrint(model.utStringBinaryToDec(bits.mid(k * 8, 8)))));
}
} // namespace

QString BinaryAddValue(const QString& BinaryValue, int AddValue, int StartIndex, int PortionLength)
{
    return Function<QString>("frmMain.BinaryAddValue()", [&](QString& r) {
        if (StartIndex < 1 || PortionLength < 0)
            platform::Raise(platform::errnum::InvalidProcedureCall);
        const qsizetype from = StartIndex - 1;
        const qsizetype tail = BinaryValue.size() - (qsizetype(StartIndex) + PortionLength) + 1;
        // The field is handed on without copying it out of the text.
        const QString field = tail >= 0 ? QString::fromRawData(BinaryValue.constData() + from, PortionLength)
                                        : BinaryValue.mid(from, PortionLength);
        const QString portion = BinaryAddition(field, AddValue);
        if (tail < 0)
            platform::Raise(platform::errnum::InvalidProcedureCall);
        QString out(from + portion.size() + tail, Qt::Uninitialized);
        QChar* to = out.data();
        to = std::copy_n(BinaryValue.constData(), from, to);
        to = std::copy_n(portion.constData(), portion.size(), to);
        std::copy_n(BinaryValue.constData() + BinaryValue.size() - tail, tail, to);
        r = std::move(out);
    });
}

QString BinaryAddition(const QString& binary, int amount)
{
    return Function<QString>("frmMain.BinaryAddition()", [&](QString& r) {
        const qsizetype n = binary.size();
        const double d = binarytext::toDec(binary) + amount;
        if (d < 0) {
            r = QString(n, QLatin1Char('1'));
        } else if (n <= 64 && d < 18446744073709551616.0) {
            // The digits of a whole number below 2^64, cut or padded to n: its
            // low n bits.
            const quint64 v = quint64(d);
            QString out(n, Qt::Uninitialized);
            char16_t* p = reinterpret_cast<char16_t*>(out.data());
            for (qsizetype i = 0; i < n; ++i)
                p[i] = char16_t(u'0' + (v >> (n - 1 - i) & 1));
            r = std::move(out);
        } else {
            QString result = binarytext::fromDec(d);
            if (result.size() > n)
                result = result.right(n);
            else if (result.size() < n)
                result.prepend(QString(n - result.size(), QLatin1Char('0')));
            r = std::move(result);
        }
    });
}

void ChangeHostValue(clsIPAddy& model, int Value)
{
    Procedure("frmMain.ChangeHostValue()", [&] {
        const QString bits = model.IP_AsBinary(0);
        const int m = model.SubnetBits();
        writeOctets(model, BinaryAddValue(bits, Value, m + 1, 32 - m));
    });
}

void ChangeSubnetValue(clsIPAddy& model, int Value)
{
    Procedure("frmMain.ChangeSubnetValue()", [&] {
        const QString bits = model.IP_AsBinary(0);
        const int c = model.ClassBits();
        const int m = model.SubnetBits();
        writeOctets(model, BinaryAddValue(bits, Value, c + 1, m - c));
    });
}
