#include "editor/document/CompileDiagnostic.h"

#include <array>

namespace {

constexpr std::array<std::u16string_view, 17> kMessages{
    u"",
    u"Unknown action",
    u"Unknown action trigger type",
    u"Missing action argument",
    u"Invalid page number",
    u"Invalid object reference",
    u"Invalid tag name",
    u"Tag type mismatch",
    u"Invalid void (non-empty string)",
    u"Invalid numeric format",
    u"Invalid string format",
    u"System time tag used on target without RTC",
    u"System tag used as writable tag",
    u"Picture of no size left out",
    u"Value out of range, clamped",
    u"Tag does not fit in the tag memory",
    u"Picture file cannot be read",
};

} // namespace

std::u16string_view CompileDiagnosticMessage(CompileDiagnostic code)
{
    const auto index = std::size_t(code);
    return index < kMessages.size() ? kMessages[index] : std::u16string_view();
}
