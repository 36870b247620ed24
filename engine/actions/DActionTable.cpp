#include "engine/actions/DActionTable.h"

#include <algorithm>
#include <array>
#include <limits>

#include "engine/actions/DAction.h"
#include "engine/core/DEngineServices.h"
#include "engine/primitives/DBaseObject_Text.h"
#include "engine/widgets/DCompositeObject.h"
#include "engine/render/DDisplay.h"
#include "engine/core/DPage.h"
#include "engine/core/DPlatform.h"
#include "engine/core/DProject.h"
#include "engine/tags/DValue.h"
#include "foundation/DIdTable.h"
#include "foundation/target/TargetActions.h"

namespace {

using Row = DActionRow;
using Tags = DActionRow::Tags;
using Structure = DActionRow::Structure;
using Source = DActionRow::Source;
using Limit = DActionRow::Limit;

// A sleep longer than this would freeze the panel; the file may ask for anything.
constexpr uint32_t kLongestSleep = 5000;

int nothing(const Row&, DActionOperands&)
{
    return 0;
}

// Page changes and the reload run deferred, after the frame is drawn.
int nextPage(const Row&, DActionOperands& run)
{
    run.project.showPage(1, DProject::Jump::Relative);
    return 0;
}

int previousPage(const Row&, DActionOperands& run)
{
    run.project.showPage(-1, DProject::Jump::Relative);
    return 0;
}

int goToPage(const Row&, DActionOperands& run)
{
    run.project.showPage(run.action.a(), DProject::Jump::Absolute);
    return 0;
}

int lastVisitedPage(const Row&, DActionOperands& run)
{
    run.project.showPage(run.project.previousIndex(), DProject::Jump::Absolute);
    return 0;
}

int initialPage(const Row&, DActionOperands& run)
{
    run.project.showPage(int32_t(run.project.header().startPage), DProject::Jump::Absolute);
    return 0;
}

int reloadProject(const Row&, DActionOperands& run)
{
    run.services.requestReload(uint32_t(run.action.a()));
    return 0;
}

int sleep(const Row&, DActionOperands& run)
{
    const int32_t milliseconds = run.action.a();
    if (DPlatform* platform = run.services.platform())
        platform->sleep(milliseconds <= 0 ? 0u : std::min(uint32_t(milliseconds), kLongestSleep));
    return 0;
}

int showLayer(const Row&, DActionOperands& run)
{
    if (DDisplay* target = run.services.display())
        (void)target->showLayer(run.action.a(), 1);
    return 0;
}

int hideLayer(const Row&, DActionOperands& run)
{
    if (DDisplay* target = run.services.display())
        (void)target->showLayer(run.action.a(), 0);
    return 0;
}

// The input follows the layer: its origin moves the other way, in 16 bits.
int inputOffset(int32_t position)
{
    return int((0u - uint32_t(position)) & 0xFFFFu);
}

int setLayerX(const Row&, DActionOperands& run)
{
    if (DDisplay* target = run.services.display())
        (void)target->setLayerX(run.action.a(), run.action.b());
    if (DPlatform* platform = run.services.platform())
        platform->setInputOriginX(inputOffset(run.action.a()));
    return 0;
}

int setLayerY(const Row&, DActionOperands& run)
{
    if (DDisplay* target = run.services.display())
        (void)target->setLayerY(run.action.a(), run.action.b());
    if (DPlatform* platform = run.services.platform())
        platform->setInputOriginY(inputOffset(run.action.a()));
    return 0;
}

// Arithmetic wraps in 32 bits.
bool assign(int32_t, int32_t operand, int32_t& result)
{
    result = operand;
    return true;
}

bool add(int32_t value, int32_t operand, int32_t& result)
{
    result = int32_t(uint32_t(value) + uint32_t(operand));
    return true;
}

bool subtract(int32_t value, int32_t operand, int32_t& result)
{
    result = int32_t(uint32_t(value) - uint32_t(operand));
    return true;
}

bool multiply(int32_t value, int32_t operand, int32_t& result)
{
    result = int32_t(uint32_t(value) * uint32_t(operand));
    return true;
}

// The smallest number divided by -1 wraps to itself, as its negation does.
bool divide(int32_t value, int32_t operand, int32_t& result)
{
    if (operand == 0)
        return false;
    result = operand == -1 ? int32_t(0u - uint32_t(value)) : value / operand;
    return true;
}

int32_t secondOperand(const Row& row, const DActionOperands& run)
{
    return row.source == Source::A ? run.action.a() : run.tag2->number();
}

int arithmetic(const Row& row, DActionOperands& run)
{
    int32_t result = 0;
    if (!row.combine(run.tag->number(), secondOperand(row, run), result))
        return 0;
    const int32_t limit = run.action.l();
    if (row.limit == Limit::Upper)
        result = std::min(result, limit);
    else if (row.limit == Limit::Lower)
        result = std::max(result, limit);
    run.tag->setNumber(result);
    return 0;
}

// Indexed by target::BitwiseOperator; shift counts are taken modulo 32.
constexpr std::array<int32_t (*)(int32_t, int32_t), 6> kBitwise{
    [](int32_t value, int32_t operand) { return value & operand; },
    [](int32_t value, int32_t operand) { return value | operand; },
    [](int32_t value, int32_t operand) { return value ^ operand; },
    [](int32_t value, int32_t) { return ~value; },
    [](int32_t value, int32_t operand) { return int32_t(uint32_t(value) << (uint32_t(operand) & 31u)); },
    [](int32_t value, int32_t operand) { return value >> (uint32_t(operand) & 31u); },
};

int bitwise(const Row& row, DActionOperands& run)
{
    const uint32_t code = uint32_t(run.action.l());
    run.tag->setNumber(code < kBitwise.size() ? kBitwise[code](run.tag->number(), secondOperand(row, run)) : 1);
    return 0;
}

template <typename T>
int sign(T value, T reference)
{
    return value < reference ? -1 : (reference < value ? 1 : 0);
}

int compareNumbers(const DValue& tag, int32_t reference)
{
    if (tag.type() == DValue::kShort)
        return sign(int16_t(uint16_t(tag.number())), int16_t(uint16_t(reference)));
    return sign(tag.number(), reference);
}

// Unsigned bytes over the shorter of the two, then the shorter string is the smaller.
int compareStrings(const DValue& tag, const DValue& reference)
{
    const auto mine = tag.bytes();
    const auto theirs = reference.bytes();
    const std::size_t common = std::min(mine.size(), theirs.size());
    for (std::size_t i = 0; i < common; ++i)
        if (mine[i] != theirs[i])
            return mine[i] < theirs[i] ? -1 : 1;
    return sign(mine.size(), theirs.size());
}

// Indexed by target::CompareOperator, applied as tag OP reference to the sign.
constexpr std::array<bool (*)(int), 6> kComparisons{
    [](int order) { return order == 0; }, [](int order) { return order != 0; },
    [](int order) { return order >= 0; }, [](int order) { return order <= 0; },
    [](int order) { return order > 0; },  [](int order) { return order < 0; },
};

int compare(const Row& row, DActionOperands& run)
{
    const uint32_t code = uint32_t(run.action.l());
    if (code >= kComparisons.size())
        return 0; // an operator the engine does not know holds
    int order;
    if (row.source == Source::A)
        order = compareNumbers(*run.tag, run.action.a());
    else if (run.tag->isString())
        order = compareStrings(*run.tag, *run.tag2);
    else
        order = compareNumbers(*run.tag, run.tag2->number());
    return kComparisons[code](order) ? 0 : DAction::kFailed;
}

int setObjectFocus(const Row&, DActionOperands& run)
{
    if (DPage* page = run.project.focusPage())
        page->setFocus(run.action.a());
    return 0;
}

int setStringTag(const Row&, DActionOperands& run)
{
    run.tag->assign(run.action.text());
    return 0;
}

int copyStringTag(const Row&, DActionOperands& run)
{
    run.tag->assign(*run.tag2);
    return 0;
}

int concatenateText(const Row&, DActionOperands& run)
{
    run.tag->append(run.action.text());
    return 0;
}

int concatenateStringTag(const Row&, DActionOperands& run)
{
    run.tag->append(*run.tag2);
    return 0;
}

// A field left for the key gets its editing back before the key arrives.
int sendKey(const Row&, DActionOperands& run)
{
    if (DPage* page = run.project.focusPage()) {
        const int32_t pressed = page->pressedIndex();
        page->setFocus(pressed);
        if (pressed != -1 && page->focusIndex() == pressed)
            if (DCompositeObject* widget = page->focusedWidget(); widget && widget->editText())
                static_cast<DBaseObject*>(widget->editText())->onPointerUp({0, 0});
    }
    run.project.onKeyDown(uint32_t(run.action.a()));
    return 0;
}

int changePageFocus(const Row&, DActionOperands& run)
{
    run.project.changePageFocus();
    return 0;
}

constexpr Row arithmeticRow(Tags tags, Source source, Row::Combine combine, Limit limit = Limit::None)
{
    return {arithmetic, tags, Structure::None, source, combine, limit};
}

constexpr Row kNothing{nothing};

using A = target::ActionNumber;

constexpr auto kRows = DIdTable<A, Row, target::kActionRowCount>::build(
    {
        {A::Unknown, kNothing},
        {A::GoToNextPage, Row{nextPage}},
        {A::GoToPreviousPage, Row{previousPage}},
        {A::GoToPage, Row{goToPage}},
        {A::GoToLastVisitedPage, Row{lastVisitedPage}},
        {A::GoToInitialPage, Row{initialPage}},
        {A::ExitAndLoadProject, Row{reloadProject}},
        {A::Sleep, Row{sleep}},
        {A::TurnLedOn, kNothing}, // no LED here
        {A::TurnLedOff, kNothing},
        {A::ShowLayer, Row{showLayer}},
        {A::HideLayer, Row{hideLayer}},
        {A::SetLayerHorizontalPosition, Row{setLayerX}},
        {A::SetLayerVerticalPosition, Row{setLayerY}},
        {A::SetTag, arithmeticRow(Tags::Number, Source::A, assign)},
        {A::SetTagFromTag, arithmeticRow(Tags::NumberPair, Source::Tag2, assign)},
        {A::IncrementTag, arithmeticRow(Tags::Number, Source::A, add)},
        {A::DecrementTag, arithmeticRow(Tags::Number, Source::A, subtract)},
        {A::IncrementTagWithLimit, arithmeticRow(Tags::Number, Source::A, add, Limit::Upper)},
        {A::DecrementTagWithLimit, arithmeticRow(Tags::Number, Source::A, subtract, Limit::Lower)},
        {A::IncrementTagByTag, arithmeticRow(Tags::NumberPair, Source::Tag2, add)},
        {A::DecrementTagByTag, arithmeticRow(Tags::NumberPair, Source::Tag2, subtract)},
        {A::IncrementTagByTagWithLimit, arithmeticRow(Tags::NumberPair, Source::Tag2, add, Limit::Upper)},
        {A::DecrementTagByTagWithLimit, arithmeticRow(Tags::NumberPair, Source::Tag2, subtract, Limit::Lower)},
        {A::MultiplyTag, arithmeticRow(Tags::Number, Source::A, multiply)},
        {A::DivideTag, arithmeticRow(Tags::Number, Source::A, divide)},
        {A::MultiplyTagWithLimit, arithmeticRow(Tags::Number, Source::A, multiply, Limit::Upper)},
        {A::DivideTagWithLimit, arithmeticRow(Tags::Number, Source::A, divide, Limit::Lower)},
        {A::MultiplyTagByTag, arithmeticRow(Tags::NumberPair, Source::Tag2, multiply)},
        {A::DivideTagByTag, arithmeticRow(Tags::NumberPair, Source::Tag2, divide)},
        {A::MultiplyTagByTagWithLimit, arithmeticRow(Tags::NumberPair, Source::Tag2, multiply, Limit::Upper)},
        {A::DivideTagByTagWithLimit, arithmeticRow(Tags::NumberPair, Source::Tag2, divide, Limit::Lower)},
        {A::BitwiseTag, Row{bitwise, Tags::Number, Structure::None, Source::A}},
        {A::BitwiseTagWithTag, Row{bitwise, Tags::NumberPair, Structure::None, Source::Tag2}},
        {A::CompareTag, Row{compare, Tags::NumberCompare, Structure::If, Source::A}},
        {A::CompareTagWithTag, Row{compare, Tags::Compare, Structure::If, Source::Tag2}},
        {A::Else, Row{nothing, Tags::None, Structure::Else}},
        {A::End, Row{nothing, Tags::None, Structure::End}},
        {A::NewAction, kNothing},
        {A::Empty, kNothing},
        {A::SetFocusToObject, Row{setObjectFocus}},
        {A::ElseCompareTag, Row{compare, Tags::NumberCompare, Structure::Else, Source::A}},
        {A::ElseCompareTagWithTag, Row{compare, Tags::Compare, Structure::Else, Source::Tag2}},
        {A::SetStringTag, Row{setStringTag, Tags::String}},
        {A::CopyStringTag, Row{copyStringTag, Tags::StringPair}},
        {A::ConcatenateTag, Row{concatenateText, Tags::String}},
        {A::ConcatenateStringTag, Row{concatenateStringTag, Tags::StringPair}},
        {A::SendKey, Row{sendKey}},
        {A::ChangePageFocus, Row{changePageFocus}},
    },
    kNothing);

} // namespace

const DActionRow& actionRow(uint32_t type)
{
    return type < kRows.size() ? kRows[type] : kNothing;
}
