#include <gtest/gtest.h>

#include "engine/tagmonitor/CTagNumber.h"

namespace {

using Base = CTagNumber::Base;

struct NumberCase {
    const char16_t* text;
    Base base;
    uint32_t value;
};

class TagNumber : public testing::TestWithParam<NumberCase> {};

TEST_P(TagNumber, ReadsAsTheTagsFileAndTheValueCellsWriteIt)
{
    const NumberCase& c = GetParam();
    EXPECT_EQ(CTagNumber::read(c.text, c.base), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    , TagNumber,
    testing::Values(
        // Addresses: hexadecimal, "0x" accepted, reading stops at the first non-digit.
        NumberCase{u"1a", Base::Hexadecimal, 0x1A}, NumberCase{u"0x1A", Base::Hexadecimal, 0x1A},
        NumberCase{u"0X1f", Base::Hexadecimal, 0x1F}, NumberCase{u"ffg7", Base::Hexadecimal, 0xFF},
        NumberCase{u"", Base::Hexadecimal, 0}, NumberCase{u"memory", Base::Hexadecimal, 0},
        NumberCase{u"0x", Base::Hexadecimal, 0},
        // Too many digits keep the low 32 bits instead of saturating.
        NumberCase{u"123456789", Base::Hexadecimal, 0x23456789},
        // Sizes: decimal.
        NumberCase{u"20", Base::Decimal, 20}, NumberCase{u" 8", Base::Decimal, 8}, NumberCase{u"12ab", Base::Decimal, 12},
        NumberCase{u"4294967296", Base::Decimal, 0}, NumberCase{u"4294967297", Base::Decimal, 1},
        // Typed values: automatic base, minus negates.
        NumberCase{u"70000", Base::Automatic, 70000}, NumberCase{u"0x1F", Base::Automatic, 31},
        NumberCase{u"010", Base::Automatic, 8}, NumberCase{u"09", Base::Automatic, 0},
        NumberCase{u"abc", Base::Automatic, 0}, NumberCase{u"-1", Base::Automatic, 0xFFFFFFFF},
        NumberCase{u"-0x10", Base::Automatic, 0xFFFFFFF0}, NumberCase{u"+5", Base::Automatic, 5},
        NumberCase{u"5 apples", Base::Automatic, 5}, NumberCase{u"-", Base::Automatic, 0}));

} // namespace
