#include <gtest/gtest.h>

#include "editor/document/CObjectTypeTable.h"
#include "editor/document/CPropertyBase.h"
#include "editor/objects/CEditorObject.h"
#include "editor/objects/shared/CObjectProperty.h"

namespace {

constexpr char16_t kSep = u'\u0001';

std::u16string list(std::u16string_view text)
{
    std::u16string out(text);
    for (char16_t& unit : out)
        if (unit == u'|')
            unit = kSep;
    return out;
}

struct TokenCase {
    std::u16string_view text;   // "|" stands for the separator
    ListTokens mode;
    std::vector<std::u16string> tokens;
};

TEST(CObjectProperty, TokensSplitOrEndedBy)
{
    const TokenCase cases[] = {
        {u"", ListTokens::Split, {}},
        {u"|", ListTokens::Split, {}},                       // a lone separator: no colour
        {u"ff|ff00|", ListTokens::Split, {u"ff", u"ff00"}},
        {u"ff||ff00", ListTokens::Split, {u"ff", u"ff00"}},  // the last piece counts without a separator
        {u"", ListTokens::EndedBy, {}},
        {u"a|b|c|", ListTokens::EndedBy, {u"a", u"b", u"c"}},
        {u"a|b|c", ListTokens::EndedBy, {u"a", u"b"}},       // without the closing separator the last is lost
        {u"a||", ListTokens::EndedBy, {u"a", u""}},          // an empty item is an item
    };
    for (const TokenCase& c : cases)
        EXPECT_EQ(CObjectProperty::Tokens(list(c.text), c.mode), c.tokens) << std::string(c.text.begin(), c.text.end());
}

TEST(CObjectProperty, TokensAreBoundedBeforeTheyAreKept)
{
    std::u16string many;
    for (int i = 0; i < 5000; ++i)
        many += list(u"x|");
    EXPECT_EQ(CObjectProperty::Tokens(many, ListTokens::EndedBy).size(), std::size_t(CObjectProperty::kMaxCount));
    EXPECT_EQ(CObjectProperty::Tokens(many, ListTokens::Split, 3).size(), 3u);
}

TEST(CObjectProperty, HexColorsInTheStoredOrder)
{
    const std::pair<std::u16string_view, std::optional<uint32_t>> cases[] = {
        {u"ff", 0x0000FFu}, {u"FF00", 0x00FF00u}, {u"123456", 0x123456u}, {u"ff123456", 0x123456u},
        {u"", std::nullopt}, {u"12g", std::nullopt}, {u"123456789", std::nullopt}, {u"0x12", std::nullopt},
    };
    for (const auto& [text, colour] : cases)
        EXPECT_EQ(CObjectProperty::HexColor(text), colour) << std::string(text.begin(), text.end());
}

TEST(CObjectProperty, ChoiceLettersIgnoreCase)
{
    EXPECT_EQ(CObjectProperty::ChoiceLetter(u"Rotating"), u'r');
    EXPECT_EQ(CObjectProperty::ChoiceLetter(u"By visible items", 3), u'v');
    EXPECT_EQ(CObjectProperty::ChoiceLetter(u"By", 3), 0);
    EXPECT_EQ(CObjectProperty::ChoiceLetter(u""), 0);
}

TEST(CObjectProperty, IntegersKeepTheEmptyRuleAndCountsAreBounded)
{
    CSelectable page{kPageObjectType};
    auto text = CEditorObject::CreateObject(2, &page);
    CPropertyBase* states = text->FindProperty(u"Behavior", u"Nr of color states");
    ASSERT_NE(states, nullptr);

    states->SetValue(CPropertyValue(u""));
    EXPECT_EQ(CObjectProperty::Int(*text, u"Behavior", u"Nr of color states"), std::nullopt);
    EXPECT_EQ(CObjectProperty::Int(*text, u"Behavior", u"Nr of color states", 7), 7);
    EXPECT_EQ(CObjectProperty::Int(*text, u"Behavior", u"No such", 3), 3);

    states->SetValue(CPropertyValue(u"99999999999"));   // clamps to 32 bits, read in 64
    const int64_t big = CObjectProperty::Int(*text, u"Behavior", u"Nr of color states", 0);
    EXPECT_EQ(big, INT32_MAX);
    EXPECT_EQ(big * 2, int64_t(INT32_MAX) * 2);
    EXPECT_EQ(CObjectProperty::Count(*text, u"Behavior", u"Nr of color states", 0, 0), CObjectProperty::kMaxCount);

    states->SetValue(CPropertyValue(int32_t(-5)));
    EXPECT_EQ(CObjectProperty::Count(*text, u"Behavior", u"Nr of color states", 0, 1), 1);
}

} // namespace
