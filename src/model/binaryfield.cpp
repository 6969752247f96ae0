#include "model/binaryfield.h"

#include "errors/procedure.h"
#include "model/binarytext.h"
#include "model/clsipaddy.h"
#include "platform/runtimeerror.h"
#include "util/strings.h"

#include <cmath>

using errors::Function;
using errors::Procedure;

namespace {
// Writes the 32 address bits back into the model, octet by octet.
void writeOctets(clsIPAddy& model, const std::string& bits)
{
    // A failed addition yields no text: writing its "octets" would turn the
    // address into 0.0.0.0, so the address is left as it was.
    if (bits.size() != 32)
        return;
    for (int k = 0; k < 4; ++k)
        model.IPAddress(k + 1, int(std::lrint(model.utStringBinaryToDec(bits.substr(size_t(k) * 8, 8)))));
}
} // namespace

std::string BinaryAddValue(const std::string& BinaryValue, int AddValue, int StartIndex, int PortionLength)
{
    return Function<std::string>("frmMain.BinaryAddValue()", [&](std::string& r) {
        const long long tail = (long long)BinaryValue.size() - ((long long)StartIndex + PortionLength) + 1;
        // A field reaching outside the text is an invalid argument, not a
        // shorter field.
        if (StartIndex < 1 || PortionLength < 0 || tail < 0)
            platform::Raise(platform::errnum::InvalidProcedureCall);
        const size_t from = size_t(StartIndex - 1);
        r = BinaryValue.substr(0, from) + BinaryAddition(BinaryValue.substr(from, size_t(PortionLength)), AddValue) +
            BinaryValue.substr(BinaryValue.size() - size_t(tail));
    });
}

std::string BinaryAddition(const std::string& binary, int amount)
{
    return Function<std::string>("frmMain.BinaryAddition()", [&](std::string& r) {
        const size_t n = binary.size();
        const double d = binarytext::toDec(binary) + amount;
        if (d < 0) {
            r = utStringRepeat("1", int(n));
            return;
        }
        r = binarytext::fromDec(d);
        if (r.size() > n)
            r = r.substr(r.size() - n);
        else if (r.size() < n)
            r = utStringRepeat("0", int(n - r.size())) + r;
    });
}

void ChangeHostValue(clsIPAddy& model, int Value)
{
    Procedure("frmMain.ChangeHostValue()", [&] {
        const std::string bits = model.IP_AsBinary(0);
        const int m = model.SubnetBits();
        writeOctets(model, BinaryAddValue(bits, Value, m + 1, 32 - m));
    });
}

void ChangeSubnetValue(clsIPAddy& model, int Value)
{
    Procedure("frmMain.ChangeSubnetValue()", [&] {
        const std::string bits = model.IP_AsBinary(0);
        const int c = model.ClassBits();
        const int m = model.SubnetBits();
        writeOctets(model, BinaryAddValue(bits, Value, c + 1, m - c));
    });
}
