#include "model/binaryfield.h"

#include "errors/procedure.h"
#include "model/binarytext.h"
#include "model/clsipaddy.h"
#include "platform/runtimeerror.h"
#include "util/modutils.h"

#include <cmath>

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
    return Function<QString>(QStringLiteral("frmMain.BinaryAddValue()"), [&](QString& r) {
        if (StartIndex < 1 || PortionLength < 0)
            platform::Raise(platform::errnum::InvalidProcedureCall);
        const QString portion = BinaryAddition(BinaryValue.mid(StartIndex - 1, PortionLength), AddValue);
        const qsizetype tail = BinaryValue.size() - (qsizetype(StartIndex) + PortionLength) + 1;
        if (tail < 0)
            platform::Raise(platform::errnum::InvalidProcedureCall);
        r = BinaryValue.left(StartIndex - 1) + portion + BinaryValue.right(tail);
    });
}

QString BinaryAddition(const QString& binary, int amount)
{
    return Function<QString>(QStringLiteral("frmMain.BinaryAddition()"), [&](QString& r) {
        const qsizetype n = binary.size();
        const double d = binarytext::toDec(binary) + amount;
        QString result = d < 0 ? utStringRepeat(QStringLiteral("1"), int(n)) : binarytext::fromDec(d);
        if (result.size() > n)
            result = result.right(n);
        else if (result.size() < n)
            result.prepend(QString(n - result.size(), QLatin1Char('0')));
        r = result;
    });
}

void ChangeHostValue(clsIPAddy& model, int Value)
{
    Procedure(QStringLiteral("frmMain.ChangeHostValue()"), [&] {
        const QString bits = model.IP_AsBinary(0);
        const int m = model.SubnetBits();
        writeOctets(model, BinaryAddValue(bits, Value, m + 1, 32 - m));
    });
}

void ChangeSubnetValue(clsIPAddy& model, int Value)
{
    Procedure(QStringLiteral("frmMain.ChangeSubnetValue()"), [&] {
        const QString bits = model.IP_AsBinary(0);
        const int c = model.ClassBits();
        const int m = model.SubnetBits();
        writeOctets(model, BinaryAddValue(bits, Value, c + 1, m - c));
    });
}
