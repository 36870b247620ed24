#include "editor/objects/fields/CDateTimeFormats.h"

namespace {

constexpr CDateTimeFormat kRows[] = {
    {0x00000, u"d m yy"},
    {0x00001, u"dd mm yy"},
    {0x00002, u"d m yyyy"},
    {0x00003, u"dd mm yyyy"},
    {0x00010, u"m d yy"},
    {0x00011, u"mm dd yy"},
    {0x00012, u"m d yyyy"},
    {0x00013, u"mm dd yyyy"},
    {0x00020, u"yy m d"},
    {0x00021, u"yy mm dd"},
    {0x00022, u"yyyy m d"},
    {0x00023, u"yyyy mm dd"},
    {0x10000, u"hh mm 24 hour"},
    {0x10001, u"hh mm ss 24 hour"},
    {0x10002, u"h m 24 hour"},
    {0x10003, u"h m s 24 hour"},
    {0x10010, u"hh mm 12 hour"},
    {0x10011, u"hh mm (AP) 12 hour"},
    {0x10012, u"hh mm ss 12 hour"},
    {0x10013, u"hh mm ss (AP) 12 hour"},
    {0x10014, u"h m 12 hour"},
    {0x10015, u"h m (AP) 12 hour"},
    {0x10016, u"h m s 12 hour"},
    {0x10017, u"h m s (AP) 12 hour"},
    {0x20000, u"hh mm ss"},
    {0x20001, u"hh mm ss ss"},
    {0x20002, u"hh mm"},
    {0x20003, u"h m s"},
    {0x20004, u"h m s s"},
    {0x20005, u"h m"},
};

} // namespace

std::span<const CDateTimeFormat> CDateTimeFormats::Rows()
{
    return kRows;
}

uint32_t CDateTimeFormats::CodeOf(std::u16string_view text)
{
    for (const CDateTimeFormat& row : kRows)
        if (row.text == text)
            return row.code;
    return kNoFormat;
}
