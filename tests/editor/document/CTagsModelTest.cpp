#include <gtest/gtest.h>

#include <vector>

#include "editor/document/CTagAllocation.h"
#include "editor/document/CTagType.h"
#include "editor/document/CTagsModel.h"
#include "foundation/target/TargetTagTypes.h"
#include "tests/support/editor/MarkedProject.h"

using target::Controller;
using target::TagReference;

namespace {

struct Tag {
    std::u16string name;
    std::u16string type;
    int32_t size;
    std::u16string address;
};

// Rows as a document brings them: name, original name, type, size and address text.
void fill(CTagsModel& model, std::initializer_list<Tag> tags)
{
    for (const Tag& tag : tags) {
        CTagRow row;
        row.name = tag.name;
        row.type = tag.type;
        row.size = tag.size;
        row.address = CTagAddress::FromText(tag.address);
        model.AddTag(std::move(row), IdenticalTags::Keep);
    }
}

std::vector<std::u16string> warnings(const CTagsModel& model)
{
    std::vector<std::u16string> texts;
    for (const CTagRow& row : model.Rows())
        texts.push_back(row.warning);
    return texts;
}

class MergeListener : public CTagsModelListener {
public:
    void OnTagsMerged(std::span<const CTagMerge> merges) override { seen.assign(merges.begin(), merges.end()); }
    std::vector<CTagMerge> seen;
};

} // namespace

TEST(CTagsModel, AllocationPlacesMemoryTagsAroundFixedRanges)
{
    struct Case {
        const char* name;
        std::initializer_list<Tag> tags;
        uint32_t memorySize;
        std::vector<int64_t> placed;   // per row: allocated address, -1 none
    };
    const Case cases[] = {
        {"two integers skip a 2-byte fixed tag at 6",
         {{u"A", u"integer", 4, u"memory"}, {u"B", u"integer", 4, u"memory"}, {u"F", u"short", 2, u"6"}},
         0x100, {0, 8, -1}},
        {"an integer after a short is aligned before it is placed",
         {{u"S", u"short", 2, u"memory"}, {u"I", u"integer", 4, u"memory"}}, 0x100, {0, 4}},
        {"a string of odd size keeps the next string on 2",
         {{u"T", u"UTF-8", 5, u"memory"}, {u"U", u"UTF-8", 4, u"memory"}}, 0x100, {0, 6}},
        {"the cursor never goes back over an overlapping range",
         {{u"F1", u"UTF-8", 0x20, u"0"}, {u"F2", u"short", 2, u"4"}, {u"A", u"integer", 4, u"memory"}}, 0x100,
         {-1, -1, 0x20}},
        {"the end of a range is aligned for an integer",
         {{u"F", u"UTF-8", 3, u"0"}, {u"A", u"integer", 4, u"memory"}}, 0x100, {-1, 4}},
        {"a tag ending at the memory size fits",
         {{u"A", u"integer", 4, u"memory"}, {u"B", u"integer", 4, u"memory"}}, 8, {0, 4}},
        {"one that would end past it is not placed",
         {{u"A", u"integer", 4, u"memory"}, {u"B", u"integer", 4, u"memory"}, {u"C", u"short", 2, u"memory"}}, 9,
         {0, 4, -1}},
        {"a smaller tag after one that did not fit still fits",
         {{u"A", u"UTF-8", 8, u"memory"}, {u"B", u"short", 2, u"memory"}}, 6, {-1, 0}},
    };
    for (const Case& c : cases) {
        CTagsModel model;
        model.SetTagMemorySize(c.memorySize);
        fill(model, c.tags);
        model.AllocateMemoryTags();
        for (int row = 0; row < model.RowCount(); ++row) {
            const auto& allocated = model.Row(row).allocated;
            EXPECT_EQ(allocated ? int64_t(*allocated) : -1, c.placed[std::size_t(row)]) << c.name << " row " << row;
            const bool unplacedMemory = !allocated && model.Row(row).address.kind == CTagAddress::Kind::Memory;
            EXPECT_EQ(model.Row(row).warning, unplacedMemory ? u"out of memory" : u"") << c.name << " row " << row;
        }
    }
}

TEST(CTagsModel, ListingBytesFollowTheRowOrder)
{
    CTagsModel model;
    fill(model, {{u"Alpha", u"integer", 4, u"memory"},
                 {u"Late", u"UTF-8", 10, u"40"},
                 {u"Beta", u"integer", 4, u"memory"},
                 {u"Fix", u"short", 2, u"6"}});
    const std::u16string expected = u"                NAME  ADDRESS  ADDR (DEC)  SIZE\r\n\r\n"
                                    u"               Alpha        0           0     4\r\n"
                                    u"                 Fix        6           6     2  fixed\r\n"
                                    u"                Beta        8           8     4\r\n"
                                    u"                Late       40          64    10  fixed\r\n";
    EXPECT_EQ(model.AllocateMemoryTags(), expected);
    // A second run places the same way.
    EXPECT_EQ(model.AllocateMemoryTags(), expected);
    EXPECT_EQ(CTagAllocation::ListingLine(u"a_name_longer_than_twenty", 0x1234, 8192, false),
              u"a_name_longer_than_twenty     1234        4660  8192\r\n");
}

TEST(CTagsModel, ValidationWarnsAboutMemoryAlignmentAndOverlap)
{
    struct Case {
        const char* name;
        std::initializer_list<Tag> tags;
        std::vector<std::u16string> warnings;   // after validating the last row
    };
    const Case cases[] = {
        {"a string at an odd address", {{u"S", u"UTF-8", 4, u"3"}}, {u"nonalignment"}},
        {"a short at 3", {{u"S", u"short", 2, u"3"}}, {u"nonalignment"}},
        {"an integer at 6", {{u"I", u"integer", 4, u"6"}}, {u"nonalignment"}},
        {"an integer at 8", {{u"I", u"integer", 4, u"8"}}, {u""}},
        {"ending exactly at the memory size", {{u"I", u"integer", 4, u"fc"}}, {u""}},
        {"one byte more", {{u"S", u"UTF-8", 5, u"fc"}}, {u"out of memory"}},
        {"out of memory comes before alignment", {{u"I", u"integer", 4, u"fd"}}, {u"out of memory"}},
        {"overlapping another placed row", {{u"A", u"integer", 4, u"8"}, {u"B", u"short", 2, u"a"}}, {u"", u"overlapping"}},
        {"touching is not overlapping", {{u"A", u"integer", 4, u"8"}, {u"B", u"short", 2, u"c"}}, {u"", u""}},
        {"memory, storage and local rows are not examined",
         {{u"A", u"integer", 4, u"memory"}, {u"B", u"integer", 4, u"storage"}, {u"C", u"integer", 4, u""}},
         {u"", u"", u""}},
    };
    for (const Case& c : cases) {
        CTagsModel model;
        model.SetTagMemorySize(0x100);
        fill(model, c.tags);
        model.ValidateAddresses(model.RowCount() - 1);
        EXPECT_EQ(warnings(model), c.warnings) << c.name;
    }
}

TEST(CTagsModel, AMovedAddressClearsTheOverlapItCaused)
{
    CTagsModel model;
    model.SetTagMemorySize(0x100);
    fill(model, {{u"A", u"integer", 4, u"8"}, {u"B", u"integer", 4, u"10"}});
    model.SetAddress(1, u"8");
    EXPECT_EQ(warnings(model), (std::vector<std::u16string>{u"", u"overlapping"}));
    // A's check skips B, whose warning stops it counting; then B is examined again.
    model.SetAddress(0, u"20");
    EXPECT_EQ(warnings(model), (std::vector<std::u16string>{u"", u""}));
}

TEST(CTagsModel, AddressEntryAndItsCell)
{
    struct Case {
        std::u16string_view entered;
        std::u16string_view stored;
        std::u16string_view shown;   // for a 4-byte tag
    };
    const Case cases[] = {
        {u"1A", u"1a", u"  1a (1d)"}, {u"12345zz", u"12345", u"12345 (12348)"}, {u"storage", u"storage", u"storage"},
        {u"sx", u"storage", u"storage"}, {u"mem", u"memory", u"memory"},    {u"xyz", u"", u""},
        {u"", u"", u""},
    };
    for (const Case& c : cases) {
        const CTagAddress address = CTagAddress::FromText(c.entered);
        EXPECT_EQ(address.Text(), c.stored);
        EXPECT_EQ(address.DisplayText(4), c.shown);
    }
    EXPECT_EQ(CTagAddress::FromText(u"40").EditText(), u"  40");
    EXPECT_EQ(CTagAddress::FromText(u"fffffffffff").start, 0xFFFFFFFFu);
}

TEST(CTagsModel, TypesSetSizesAndStringSizesAreClamped)
{
    CTagsModel model;
    const int numeric = model.AddNumericTag();
    const int text = model.AddStringTag();
    EXPECT_EQ(model.Row(numeric).type, u"integer");
    EXPECT_EQ(model.Row(numeric).size, 4);
    EXPECT_EQ(model.Row(text).type, u"native-encoding");
    EXPECT_EQ(model.Row(text).size, 40);

    model.SetType(numeric, u"short");
    EXPECT_EQ(model.Row(numeric).size, 2);
    model.SetSize(numeric, 100); // numbers keep the size their type gives
    EXPECT_EQ(model.Row(numeric).size, 2);

    for (const auto& [entered, kept] : {std::pair{1, 2}, {10000, 8192}, {2, 2}, {8192, 8192}, {-5, 2}}) {
        model.SetSize(text, entered);
        EXPECT_EQ(model.Row(text).size, kept) << entered;
    }
    model.SetSize(text, 1);
    model.SetType(text, u"UTF-16LE");
    EXPECT_EQ(model.Row(text).size, 2);

    EXPECT_EQ(CTagType::Offered(u"integer"), (std::vector<std::u16string>{u"short", u"integer"}));
    const std::vector<std::u16string> strings = CTagType::Offered(u"UTF-8");
    EXPECT_EQ(strings.front(), u"native-encoding");
    EXPECT_EQ(strings.back(), u"CP862");
    EXPECT_EQ(strings.size(), 40u);
}

TEST(CTagsModel, NameEntryRefusesAndKeepsTheOldName)
{
    // The project's own tags: an edit of them marks the project.
    vx::test::MarkedProject host;
    CTagsModel& model = host.project.Tags();
    const int first = model.AddNumericTag();
    const int second = model.AddNumericTag();
    ASSERT_TRUE(model.SetName(first, u"Motor speed"));
    EXPECT_EQ(model.Row(first).originalName, u"Motor_speed");

    for (const std::u16string_view refused : {u"", u"1abc", u"_x", u"sys_counter", u"system", u"<objectTag>",
                                              u"Motor speed"}) {
        EXPECT_FALSE(model.SetName(second, refused)) << std::string(refused.begin(), refused.end());
        EXPECT_EQ(model.Row(second).name, u"");
    }
    (void)host.Marked();
    ASSERT_TRUE(model.SetName(second, u"Motor_speed"));
    // The first name's original name is made unique against the other row's.
    EXPECT_EQ(model.Row(second).originalName, u"Motor_speed:2");
    EXPECT_TRUE(host.Marked());

    // A rename keeps the original name.
    ASSERT_TRUE(model.SetName(first, u"Fan"));
    EXPECT_EQ(model.Row(first).originalName, u"Motor_speed");
    EXPECT_TRUE(model.SetName(first, u"Älter"));
}

TEST(CTagsModel, DuplicatesAreMadeUnique)
{
    CTagsModel model;
    fill(model, {{u"Level", u"integer", 4, u"memory"}, {u"Tank:7", u"short", 2, u""}, {u"T:1", u"short", 2, u""}, {u"ab:x", u"short", 2, u""}});
    const std::vector<int> once = model.DuplicateTags(std::vector<int>{0});
    const std::vector<int> twice = model.DuplicateTags(std::vector<int>{0});
    EXPECT_EQ(model.Row(once[0]).name, u"Level:2");
    EXPECT_EQ(model.Row(twice[0]).name, u"Level:3");
    EXPECT_EQ(model.Row(twice[0]).originalName, u"Level:3");
    EXPECT_EQ(model.Row(twice[0]).address.Text(), u"memory");

    const std::vector<int> more = model.DuplicateTags(std::vector<int>{1, 2, 3});
    EXPECT_EQ(model.Row(more[0]).name, u"Tank:8");
    // A ":" before the third character does not count.
    EXPECT_EQ(model.Row(more[1]).name, u"T:1:2");
    EXPECT_EQ(model.Row(more[2]).name, u"ab:1");
    EXPECT_EQ(model.MakeUnique(u"Tank:7", TagColumn::Name, -1), u"Tank:9");
    fill(model, {{u"a:", u"short", 2, u""}});
    EXPECT_EQ(model.MakeUnique(u"a:", TagColumn::Name, -1), u"a::2");
}

TEST(CTagsModel, MergeJoinsIdenticalSelectedRows)
{
    CTagsModel model;
    MergeListener listener;
    model.AddListener(listener);
    fill(model, {{u"Speed", u"integer", 4, u"10"},
                 {u"Speed_copy", u"integer", 4, u"10"},
                 {u"Other", u"short", 2, u"10"},
                 {u"Speed_b", u"integer", 4, u"10"}});
    const std::vector<int> selected{0, 1, 2, 3};
    EXPECT_FALSE(model.CanMerge(std::vector<int>{0}, 0));
    EXPECT_FALSE(model.CanMerge(std::vector<int>{0, 2}, 0));
    ASSERT_TRUE(model.CanMerge(selected, 0));
    model.MergeIdenticalTags(selected, 0);
    ASSERT_EQ(model.RowCount(), 2);
    EXPECT_EQ(model.Row(0).name, u"Speed");
    EXPECT_EQ(model.Row(1).name, u"Other");
    ASSERT_EQ(listener.seen.size(), 2u);
    EXPECT_EQ(listener.seen[0].from, u"Speed_copy");
    EXPECT_EQ(listener.seen[0].to, u"Speed");
    EXPECT_EQ(listener.seen[1].from, u"Speed_b");
}

TEST(CTagsModel, RowsMoveUnlessSortedOrSeveralAreSelected)
{
    CTagsModel model;
    fill(model, {{u"A", u"short", 2, u""}, {u"B", u"short", 2, u""}, {u"C", u"short", 2, u""}});
    EXPECT_FALSE(model.CanMove(0, TagMove::Up, GridSorting::Unsorted, 1));
    EXPECT_FALSE(model.CanMove(2, TagMove::ToBottom, GridSorting::Unsorted, 1));
    EXPECT_FALSE(model.CanMove(1, TagMove::Up, GridSorting::Sorted, 1));
    EXPECT_FALSE(model.CanMove(1, TagMove::Up, GridSorting::Unsorted, 2));
    EXPECT_EQ(model.Move(2, TagMove::ToTop), 0);
    EXPECT_EQ(model.Move(0, TagMove::Down), 1);
    EXPECT_EQ(model.Row(0).name, u"A");
    EXPECT_EQ(model.Row(1).name, u"C");
    EXPECT_EQ(model.Move(0, TagMove::ToBottom), 2);
    EXPECT_EQ(model.Row(2).name, u"A");
}

TEST(CTagsModel, ResolutionGivesEveryAddressKind)
{
    CTagsModel model;
    model.SetNativeEncoding(target::TagTypes::kUtf16LE);
    fill(model, {{u"Local0", u"short", 2, u""},
                 {u"Store0", u"integer", 4, u"storage"},
                 {u"Fixed", u"UTF-8", 12, u"20"},
                 {u"Store1", u"short", 2, u"s"},
                 {u"Auto", u"integer", 4, u"memory"},
                 {u"Local1", u"native-encoding", 40, u""}});
    model.AllocateMemoryTags();
    ASSERT_TRUE(model.SetName(5, u"Renamed"));
    struct Case {
        std::u16string_view name;
        TagReference reference;
    };
    const Case cases[] = {
        {u"Local0", TagReference::make(Controller::Local, 0, 0, 2)},
        {u"Store0", TagReference::make(Controller::System, 144, 1, 4)},
        {u"Fixed", TagReference::make(Controller::Memory, 0x20, 10, 12)},
        {u"Store1", TagReference::make(Controller::System, 145, 1, 2)},
        {u"Auto", TagReference::make(Controller::Memory, 0, 1, 4)},
        // By original name; "native-encoding" becomes the project's encoding.
        {u"Local1", TagReference::make(Controller::Local, 1, target::TagTypes::kUtf16LE, 40)},
        {u"Renamed", TagReference::none()},
        {u"Nothing", TagReference::none()},
        {u"sys_counter", TagReference::none()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(model.Resolve(c.name), c.reference) << std::string(c.name.begin(), c.name.end());
    EXPECT_EQ(model.DisplayName(u"Local1"), u"Renamed");
    EXPECT_EQ(model.DisplayName(u"Nothing"), u"Nothing");
}

TEST(CTagsModel, StorageRowsPastTheFirst255AreLocal)
{
    CTagsModel model;
    for (int i = 0; i < 256; ++i) {
        CTagRow row;
        row.name = u"S" + std::u16string(1, char16_t(u'A' + i / 26 % 26)) + std::u16string(1, char16_t(u'a' + i % 26));
        row.address = CTagAddress::Storage();
        model.AddTag(std::move(row), IdenticalTags::Keep);
    }
    fill(model, {{u"Plain", u"integer", 4, u""}});
    EXPECT_EQ(model.Resolve(model.Row(254).originalName), TagReference::make(Controller::System, 144 + 254, 1, 4));
    EXPECT_EQ(model.Resolve(model.Row(255).originalName), TagReference::make(Controller::Local, 0, 1, 4));
    EXPECT_EQ(model.Resolve(u"Plain"), TagReference::make(Controller::Local, 1, 1, 4));
}

TEST(CTagsModel, AddingWithMergeSkipsAnIdenticalTag)
{
    CTagsModel model;
    fill(model, {{u"A", u"integer", 4, u"10"}});
    CTagRow same;
    same.name = u"A";
    same.address = CTagAddress::Fixed(0x10);
    EXPECT_EQ(model.AddTag(same, IdenticalTags::Merge), 0);
    EXPECT_EQ(model.RowCount(), 1);
    EXPECT_EQ(model.AddTag(same, IdenticalTags::Keep), 1);
}
