#include "editor/document/CActionCompiler.h"

#include <algorithm>
#include <array>
#include <limits>

#include "editor/document/ActionTable.h"
#include "editor/document/CActionCompileScope.h"
#include "editor/document/CActionScript.h"
#include "editor/document/CCompileReport.h"
#include "editor/document/CObjectTypeTable.h"
#include "editor/document/CPropertyBase.h"
#include "editor/document/CSelectable.h"
#include "editor/document/CStringArrayEx.h"
#include "editor/document/CSysTag.h"
#include "editor/document/CTagsModel.h"
#include "editor/document/HexText.h"
#include "foundation/TextHelpers.h"
#include "foundation/target/ActionBlockWriter.h"
#include "foundation/target/TargetSystemTags.h"

using target::ActionNumber;
using target::TagReference;

namespace {

constexpr std::u16string_view kObjectTag = u"<objectTag>";
constexpr std::u16string_view kArgumentLabel = u"action argument";
constexpr std::u16string_view kArgumentSeparators = u" \u00AD=;+/*";
constexpr std::u16string_view kLineBreaks = u"\r\n";

constexpr uint32_t row(ActionNumber number)
{
    return uint32_t(number);
}

// Increment, decrement, multiply and divide: a third piece "max" or "min" asks for the
// limit variant, anything else for the two-argument form.
struct LimitVariant {
    uint32_t row;
    std::u16string_view keyword;
    uint32_t limitByTag;
    uint32_t limitByNumber;
    uint32_t byTag;
};
constexpr std::array<LimitVariant, 4> kLimitVariants{{
    {row(ActionNumber::IncrementTag), u"max", row(ActionNumber::IncrementTagByTagWithLimit),
     row(ActionNumber::IncrementTagWithLimit), row(ActionNumber::IncrementTagByTag)},
    {row(ActionNumber::DecrementTag), u"min", row(ActionNumber::DecrementTagByTagWithLimit),
     row(ActionNumber::DecrementTagWithLimit), row(ActionNumber::DecrementTagByTag)},
    {row(ActionNumber::MultiplyTag), u"max", row(ActionNumber::MultiplyTagByTagWithLimit),
     row(ActionNumber::MultiplyTagWithLimit), row(ActionNumber::MultiplyTagByTag)},
    {row(ActionNumber::DivideTag), u"min", row(ActionNumber::DivideTagByTagWithLimit),
     row(ActionNumber::DivideTagWithLimit), row(ActionNumber::DivideTagByTag)},
}};

// Bit-wise and compare rows: the second piece is the operator, the third the operand.
struct OperatorVariant {
    uint32_t row;
    uint32_t (*find)(std::u16string_view);
    uint32_t withTag;
};
constexpr std::array<OperatorVariant, 3> kOperatorVariants{{
    {row(ActionNumber::BitwiseTag), FindBitwiseOperator, row(ActionNumber::BitwiseTagWithTag)},
    {row(ActionNumber::CompareTag), FindCompareOperator, row(ActionNumber::CompareTagWithTag)},
    {row(ActionNumber::ElseCompareTag), FindCompareOperator, row(ActionNumber::ElseCompareTagWithTag)},
}};

// Rows whose second piece naming a tag makes them the tag-to-tag variant.
struct TagVariant {
    uint32_t row;
    uint32_t withTag;
};
constexpr std::array<TagVariant, 3> kTagVariants{{
    {row(ActionNumber::SetTag), row(ActionNumber::SetTagFromTag)},
    {row(ActionNumber::SetStringTag), row(ActionNumber::CopyStringTag)},
    {row(ActionNumber::ConcatenateTag), row(ActionNumber::ConcatenateStringTag)},
}};

template <class Table>
auto findRow(const Table& table, uint32_t action) -> const typename Table::value_type*
{
    const auto found = std::find_if(table.begin(), table.end(), [&](const auto& entry) { return entry.row == action; });
    return found == table.end() ? nullptr : &*found;
}

std::u16string_view trimBlanks(std::u16string_view text)
{
    const std::size_t first = text.find_first_not_of(u" \t");
    if (first == std::u16string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(u" \t") - first + 1);
}

std::u16string decimalText(uint32_t value)
{
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

// "0x" and hexadecimal digits, or decimal digits; the value of the digits read, and
// whether the whole text was read. Values past 32 bits stay at the largest.
std::pair<uint32_t, bool> parseUnsigned(std::u16string_view text)
{
    uint32_t base = 10;
    std::size_t i = 0;
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X') && HexDigitValue(text[2]) >= 0) {
        base = 16;
        i = 2;
    }
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = HexDigitValue(text[i]);
        if (digit < 0 || uint32_t(digit) >= base)
            break;
        value = std::min<uint64_t>(value * base + uint64_t(digit), std::numeric_limits<uint32_t>::max());
    }
    return {uint32_t(value), i == text.size()};
}

bool equalsAsciiNoCase(std::u16string_view text, std::u16string_view lower)
{
    return text.size() == lower.size() && std::equal(text.begin(), text.end(), lower.begin(), [](char16_t a, char16_t b) {
               return (a >= u'A' && a <= u'Z' ? char16_t(a + 32) : a) == b;
           });
}

// The owner's "Object left" and so on, by the text naming the direction.
struct Direction {
    std::u16string_view text;
    std::u16string_view property;
};
constexpr std::array<Direction, 4> kDirections{{
    {u"<left>", u"Object left"},
    {u"<up>", u"Object up"},
    {u"<right>", u"Object right"},
    {u"<down>", u"Object down"},
}};

std::u16string propertyText(const CSelectable& owner, std::u16string_view category, std::u16string_view caption)
{
    const CPropertyBase* property = owner.FindProperty(category, caption);
    return property ? property->GetValueText() : std::u16string();
}

} // namespace

std::vector<std::u16string> CActionCompiler::SplitArguments(uint32_t action, std::u16string_view parameters)
{
    auto splitAtFirst = [&](std::u16string_view separator) -> std::vector<std::u16string> {
        const std::size_t at = parameters.find(separator);
        if (at == std::u16string_view::npos)
            return CStringArrayEx::Split(parameters, kLineBreaks);
        // Only the first separator splits: the text after it is the value, whatever it holds.
        std::vector<std::u16string> pieces;
        for (const std::u16string_view piece : {parameters.substr(0, at), parameters.substr(at + separator.size())})
            if (!piece.empty())
                pieces.emplace_back(piece);
        return pieces;
    };
    switch (ActionNumber(action)) {
    case ActionNumber::GoToPage:
    case ActionNumber::SetFocusToObject:
        if (parameters.empty())
            return {};
        return {std::u16string(parameters)};
    case ActionNumber::BitwiseTag:
    case ActionNumber::CompareTag:
    case ActionNumber::ElseCompareTag:
        return CStringArrayEx::Split(parameters, u" ");
    case ActionNumber::SetStringTag:
        return splitAtFirst(u" = ");
    case ActionNumber::ConcatenateTag:
        return splitAtFirst(u" += ");
    case ActionNumber::SendKey:
        return CStringArrayEx::Split(parameters, kLineBreaks);
    default:
        return CStringArrayEx::Split(parameters, kArgumentSeparators);
    }
}

bool CActionCompiler::NamesTag(std::u16string_view piece) const
{
    return CSysTag::IsSystemTagName(piece) || piece == kObjectTag || m_context.tags.HasTag(piece);
}

CompileDiagnostic CActionCompiler::PrepareAction(const ActionEntry& entry, Action& action) const
{
    action.row = entry.action;
    action.pieces = SplitArguments(entry.action, entry.parameters);
    std::vector<std::u16string>& pieces = action.pieces;
    const std::string_view signature = target::actionSignature(entry.action);
    const LimitVariant* limit = findRow(kLimitVariants, entry.action);
    const std::size_t required = signature.size() + (limit ? 1 : 0);
    if (pieces.size() < required) {
        if (signature.size() == 2 && signature[1] == 'a' && pieces.size() == 1)
            pieces.emplace_back();
        else
            return CompileDiagnostic::MissingArgument;
    }

    if (const TagVariant* variant = findRow(kTagVariants, entry.action)) {
        if (NamesTag(pieces[1]))
            action.row = variant->withTag;
    } else if (limit) {
        if (pieces[2] == limit->keyword) {
            action.row = NamesTag(pieces[1]) ? limit->limitByTag : limit->limitByNumber;
            if (pieces.size() > 3)
                pieces[2] = pieces[3];
        } else {
            if (NamesTag(pieces[1]))
                action.row = limit->byTag;
            pieces.resize(2);
        }
    } else if (const OperatorVariant* variant = findRow(kOperatorVariants, entry.action)) {
        const uint32_t code = variant->find(pieces[1]);
        pieces[1] = pieces[2];
        pieces[2] = decimalText(code);
        if (NamesTag(pieces[1]))
            action.row = variant->withTag;
    }

    const std::size_t letters = target::actionSignature(action.row).size();
    while (pieces.size() < letters)
        pieces.emplace_back(u"0");
    return CompileDiagnostic::None;
}

int CActionCompiler::CompileActions(DRIFFFile& target, const CSelectable& owner)
{
    const CPropertyBase* script = owner.FindProperty(u"Behavior", u"_Action script");
    if (!script) {
        target::ActionBlockWriter(target).finish();
        return 0;
    }
    return CompileEntries(target, owner, CActionScript::Parse(wideToUtf8(script->GetValueText()), m_context.formatVersion));
}

int CActionCompiler::CompileEntries(DRIFFFile& target, const CSelectable& owner, const std::vector<ActionEntry>& entries)
{
    CCompileReport& report = m_context.report;
    const CSelectable* page = m_context.scope.Page();
    // An entry without a known trigger is reported once, not once for every trigger.
    for (const ActionEntry& entry : entries)
        if (entry.trigger == uint32_t(target::TriggerNumber::Unknown))
            report.ReportCompileMessage(CompileDiagnostic::UnknownTrigger, owner, page, {}, {});

    target::ActionBlockWriter block(target);
    for (uint32_t trigger = 1; trigger <= target::kLastTrigger; ++trigger) {
        std::u16string_view openDetail;
        bool groupOpen = false;
        for (const ActionEntry& entry : entries) {
            if (entry.trigger != trigger || entry.action == row(ActionNumber::Empty))
                continue;
            if (entry.action == row(ActionNumber::Unknown) || entry.action >= target::kActionRowCount) {
                report.ReportCompileMessage(CompileDiagnostic::UnknownAction, owner, page, {}, {});
                continue;
            }
            Action action;
            if (PrepareAction(entry, action) != CompileDiagnostic::None) {
                report.ReportCompileMessage(CompileDiagnostic::MissingArgument, owner, page, {}, {});
                return int(CompileDiagnostic::MissingArgument);
            }
            if (!groupOpen || entry.triggerDetail != openDetail) {
                openDetail = entry.triggerDetail;
                block.beginGroup(trigger, KeyWordFromText(openDetail));
                groupOpen = true;
            }
            block.beginAction(action.row);
            const std::string_view signature = target::actionSignature(action.row);
            for (std::size_t i = 0; i < signature.size(); ++i) {
                const char letter = signature[i];
                const std::u16string& piece = action.pieces[i];
                if (letter == 'a') {
                    block.writeTextArgument(piece);
                    continue;
                }
                const ResolvedArgument argument = ResolveActionArgument(piece, owner, letter);
                if (argument.code != CompileDiagnostic::None) {
                    const std::u16string value = target::isTagLetter(letter)
                        ? TagDiagnosticValue(argument.code, argument.tag)
                        : std::u16string(piece);
                    if (report.ReportCompileMessage(argument.code, owner, page, kArgumentLabel, value))
                        return int(argument.code);
                }
                if (target::isTagLetter(letter))
                    block.writeTagArgument(TagReference{argument.word, argument.high});
                else
                    block.writeWordArgument(argument.word);
            }
        }
    }
    block.finish();
    return 0;
}

TagReference CActionCompiler::ResolveTagId(std::u16string_view text) const
{
    if (text.empty())
        return TagReference::none();
    if (CSysTag::IsSystemTagName(text))
        return TagReference::system(CSysTag::FindId(text));
    return m_context.tags.Resolve(text);
}

CompileDiagnostic CActionCompiler::CheckTagType(const TagReference& tag, bool stringExpected, bool written) const
{
    if (tag.controller() == uint32_t(target::Controller::System)) {
        const uint32_t number = tag.address();
        if (written && number < uint32_t(target::SystemTags::kFirstWritable))
            return CompileDiagnostic::SystemTagWritten;
        if (number == uint32_t(target::SystemTags::kTime) && m_context.clock == TargetClock::None)
            return CompileDiagnostic::TimeWithoutClock;
    }
    return tag.isString() == stringExpected ? CompileDiagnostic::None : CompileDiagnostic::TagTypeMismatch;
}

CompileDiagnostic CActionCompiler::CheckNamedTag(std::u16string_view name, const TagReference& tag, bool stringExpected,
                                                bool written) const
{
    if (!tag.isNone())
        return CheckTagType(tag, stringExpected, written);
    return m_context.tags.TagMemoryShortage(name).empty() ? CompileDiagnostic::InvalidTagName
                                                          : CompileDiagnostic::TagDoesNotFit;
}

std::u16string CActionCompiler::TagDiagnosticValue(CompileDiagnostic code, std::u16string_view name) const
{
    return code == CompileDiagnostic::TagDoesNotFit ? m_context.tags.TagMemoryShortage(name)
                                                    : m_context.tags.DisplayName(name);
}

int32_t CActionCompiler::ResolveObject(std::u16string_view text, const CSelectable& owner) const
{
    const CActionCompileScope& scope = m_context.scope;
    for (const Direction& direction : kDirections) {
        if (text != direction.text)
            continue;
        const CSelectable* object = owner.IsPage() ? scope.FirstObject() : &owner;
        if (!object)
            return -1;
        const std::u16string named = propertyText(*object, u"Navigation", direction.property);
        return named.empty() ? -1 : scope.FindObject(named);
    }
    return scope.FindObject(text);
}

ResolvedArgument CActionCompiler::ResolveActionArgument(std::u16string_view text, const CSelectable& owner,
                                                        char letter) const
{
    ResolvedArgument result;
    if (letter == 'c') {
        result.word = KeyWordFromText(text);
        return result;
    }
    std::u16string piece(trimBlanks(text));
    switch (letter) {
    case 'w':
    case 't':
    case 'T': {
        if (piece == kObjectTag && !owner.IsPage()) {
            const std::u16string caption = CObjectTypeTable::GetMainTagProperty(owner.GetObjectTypeIndex());
            const std::u16string mainTag = caption.empty() ? std::u16string() : propertyText(owner, u"Data", caption);
            if (!mainTag.empty())
                piece = mainTag;
        }
        const TagReference tag = ResolveTagId(piece);
        result.word = tag.low;
        result.high = tag.high;
        result.code = CheckNamedTag(piece, tag, letter == 'T', letter == 'w');
        result.tag = std::move(piece);
        return result;
    }
    case 'i': {
        const auto [value, whole] = parseUnsigned(piece);
        result.word = value;
        if (!whole)
            result.code = CompileDiagnostic::InvalidNumber;
        return result;
    }
    case 'l':
        if (equalsAsciiNoCase(piece, u"min"))
            result.word = uint32_t(target::LimitKeyword::Min);
        else if (equalsAsciiNoCase(piece, u"max"))
            result.word = uint32_t(target::LimitKeyword::Max);
        return result;
    case 'o': {
        const int32_t index = ResolveObject(piece, owner);
        result.word = uint32_t(index);
        if (index < 0)
            result.code = CompileDiagnostic::InvalidObject;
        return result;
    }
    case 'p': {
        const int32_t index = m_context.scope.FindPage(piece);
        result.word = uint32_t(index);
        if (index < 0)
            result.code = CompileDiagnostic::InvalidPage;
        return result;
    }
    case 'v':
        if (!piece.empty())
            result.code = CompileDiagnostic::InvalidVoid;
        return result;
    default:
        if (piece.find_first_of(u"\r\n,)") != std::u16string::npos)
            result.code = CompileDiagnostic::InvalidString;
        return result;
    }
}
