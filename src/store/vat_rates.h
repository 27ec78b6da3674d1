#pragma once

#include <QString>

// The VAT rates whose bases and taxes go to the receipt's column pairs z1/d1,
// z5/d5 and z23/d23 (z0 is always 0 %). Configurable, since the rates change by
// law while the columns stay what other software reads.
struct VatRates
{
    int z1 = 10;
    int z5 = 15;
    int z23 = 21;

    bool operator==(const VatRates &) const = default;
};

// "1.10" for 10: the divisor that takes the base out of an amount with VAT.
inline QString vatDivisor(int rate)
{
    return QString::number(1 + rate / 100.0, 'f', 2);
}
