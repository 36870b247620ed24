#include "engine/widgets/DScaledValue.h"

#include <cstdint>

namespace {

// The low 32 bits, as the panel's 32-bit arithmetic leaves them.
int32_t lowWord(int64_t value)
{
    return int32_t(uint32_t(uint64_t(value)));
}

bool divides(int32_t factor)
{
    return factor != 1 && factor != 0;
}

} // namespace

int32_t DScaledValue::scaled(int64_t value) const
{
    // |value| < 2^32 and both factors < 2^31: the product fits in 64 bits.
    int64_t result = int64_t(lowWord(value));
    if (multiplier != 1)
        result *= multiplier;
    if (divides(divisor))
        result /= divisor;
    return lowWord(result + offset);
}

int32_t DScaledValue::unscaled(int32_t value) const
{
    int64_t result = int64_t(value) - offset;
    if (divides(divisor))
        result *= divisor;
    if (divides(multiplier))
        result /= multiplier;
    return lowWord(result);
}

uint64_t DScaledValue::rounded(uint64_t position) const
{
    const uint64_t q = step;
    const uint64_t rest = position % q;
    if (rest == 0)
        return position;
    if (2 * rest > q && position + (q - rest) <= range())
        return position + (q - rest);
    return position - rest;
}

uint64_t DScaledValue::positionOf(int64_t value) const
{
    if (value < minimum)
        return 0;
    if (value > maximum)
        return rounded(range());
    return rounded(uint64_t(value - minimum));
}
