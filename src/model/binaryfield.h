#pragma once
// Fixed-width addition inside one field of an address-bits text, and the
// host and subnet stepping of the main window built on it.
#include <string>

class clsIPAddy;

// BinaryValue with AddValue added to the PortionLength characters from
// position StartIndex (counting from 1); nothing carries out of the field.
std::string BinaryAddValue(const std::string& BinaryValue, int AddValue, int StartIndex, int PortionLength);
// The binary text plus amount, same length: wraps modulo 2^n going up, and any
// result below zero becomes all ones.
std::string BinaryAddition(const std::string& binary, int amount);

// Steps the address through the hosts of its subnet (host field) or through
// the subnets of its network (subnet field) and writes the octets back.
void ChangeHostValue(clsIPAddy& model, int Value);
void ChangeSubnetValue(clsIPAddy& model, int Value);

// A spin step (-1, 0 or 1) scaled by the modifier keys: Shift 10, Ctrl 100,
// both 1000.
constexpr int ScaleStep(int step, bool shiftDown, bool ctrlDown)
{
    if (ctrlDown && shiftDown)
        return step * 1000;
    if (ctrlDown)
        return step * 100;
    if (shiftDown)
        return step * 10;
    return step;
}
