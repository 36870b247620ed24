#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "diagram/CDiagramEntityContainer.h"
#include "editor/document/CActionScript.h"
#include "editor/document/CPropertyBase.h"
#include "editor/objects/CObjectCompileContext.h"
#include "editor/objects/CObjectNames.h"
#include "foundation/DCRC32.h"
#include "foundation/TextHelpers.h"
#include "foundation/target/TargetColor.h"
#include "foundation/target/TargetElement.h"
#include "foundation/target/TargetImageWords.h"
#include "foundation/target/TargetPage.h"
#include "foundation/target/TargetSpanReader.h"
#include "tests/editor/project/page/PageHarness.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/editor/CObjPlaceholder.h"

namespace {

using namespace target;
using vx::test::CompiledPages;
using vx::test::PageCompileHarness;

constexpr uint32_t kNone = 0xFFFFFFFFu;   // -1 as a word
constexpr int32_t kButton = 17;

// A class with words of its own, as the object classes write them: a header, a picture
// word taken back from the resource index, and a solid rectangle over its area.
class RecordObject : public CObjPlaceholder {
public:
    static constexpr uint32_t kWords = (ObjectRecordHeader::kSize + StaticImageWords::kSize + ElementRecord::kSize) / 4;

    // A tag trigger: no focus, and an action script of its own.
    explicit RecordObject(uint32_t picture) : CObjPlaceholder(23), m_picture(picture) {}

    void CollectImages(DRIFFFile&, CResourceIndex& resources) override { resources.Append(m_picture); }
    int Compile(DRIFFFile& file, CObjectCompileContext& context) override
    {
        ObjectRecordHeader header;
        header.type = uint32_t(WidgetType::StaticImage);
        writeRecord(file, header);
        writeRecord(file, StaticImageWords{context.resources.TakeNext()});
        CompileElement(file, ElementKind::SolidRect,
                       {int32_t(GetLeft()), int32_t(GetTop()), int32_t(GetRight()), int32_t(GetBottom())}, context);
        return 0;
    }

private:
    uint32_t m_picture;
};

CEditorObject& addRecordObject(CPage& page, std::u16string_view name, uint32_t picture, gfx::Rect rect)
{
    auto object = std::make_unique<RecordObject>(picture);
    object->InitObject(&page);
    CObjectNames::InitObjectName(*object, name);
    object->SetRect(rect.left, rect.top, rect.right, rect.bottom);
    return page.AddObject(std::move(object));
}

void setScript(CSelectable& owner, std::vector<ActionEntry> entries)
{
    owner.FindProperty(u"Behavior", u"_Action script")
        ->SetValue(CPropertyValue(utf8ToWide(CActionScript::Store(entries))));
}

struct CPageCompile : ::testing::Test {
    PageCompileHarness harness;
};

TEST_F(CPageCompile, APageWithoutObjectsIsItsHeaderAndThePremultipliedBackgroundRecord)
{
    CPage& page = harness.list.Add(u"Main");
    page.SetBackgroundColor(0x336699);   // red 0x99, green 0x66, blue 0x33
    const CompiledPages file = harness.CompileAll();

    const uint64_t chunk = file.chunkOffsets[0];
    EXPECT_EQ(chunk, ChunkHeader::kSize);   // the first chunk in the file
    EXPECT_EQ(vx::test::WordAt(file.bytes, chunk), kChunkPage);
    const uint32_t firstRecord = uint32_t(chunk + ChunkHeader::kDataOffset + PageHeader::kSize);
    const uint32_t color = premultiplyColorWord(0xFF996633u);
    EXPECT_EQ(color, 0xFF986532u);
    const std::vector<uint32_t> expected = {
        1, 1, 1, kNone, 0, 0, firstRecord,            // Normal, the background record, its one element
        72, 68, 26, 0, kNone, kNone, kNone, kNone,    // record size, action block offset, rectangle
        color,                                        // ARGB, as the engine reads every colour word
        32, 2, 0, 0, 319, 239, PageBackground::kFlagsOpaque, 0,
        0,                                            // no trigger groups
    };
    EXPECT_EQ(file.PageWords(0), expected);
    // The chunk's third word is the CRC of its data.
    const auto data = std::span(file.bytes).subspan(chunk + ChunkHeader::kDataOffset, expected.size() * 4);
    EXPECT_EQ(vx::test::WordAt(file.bytes, chunk + ChunkHeader::kThirdOffset), DCRC32::ofBlock(data));
    EXPECT_EQ(page.GetElementCount(), 1);
    EXPECT_EQ(harness.output.lines.at(0).text, u"\r\nPage Main:       ");
    EXPECT_EQ(harness.output.lines.at(0).page, &page);
}

TEST_F(CPageCompile, BackgroundColourWordAndFlagsFollowTransparencyGlobalPagesAndTargetFlags)
{
    const struct {
        const char* what;
        int32_t pageType;
        int32_t transparency;
        GlobalPagePresence global;
        uint32_t targetFlags;
        uint32_t color;
        uint32_t flags;
    } cases[] = {
        {"opaque colour", 1, 0, GlobalPagePresence::Present, kTargetFlagsDefault, 0xFF0000FEu, 11},
        {"blended over a Global page", 1, 128, GlobalPagePresence::Present, kTargetFlagsDefault, 0x7F00007Eu, 9},
        {"blended without a Global page", 1, 128, GlobalPagePresence::Absent, kTargetFlagsDefault, 0x7F00007Eu, 11},
        {"the Global page itself", 3, 128, GlobalPagePresence::Present, kTargetFlagsDefault, 0x7F00007Eu, 11},
        {"not premultiplied", 1, 128, GlobalPagePresence::Present, kTargetFlagCompress, 0x7F0000FFu, 9},
        {"transparency beyond 255", 1, 300, GlobalPagePresence::Present, kTargetFlagCompress, 0x000000FFu, 9},
    };
    for (const auto& c : cases) {
        PageCompileHarness run;
        run.globalPage = c.global;
        run.resources.Begin(32, c.targetFlags);
        CPage& page = run.list.Add(u"P");
        page.SetPageType(c.pageType);
        page.SetBackgroundColor(0xFF0000);   // blue
        page.FindProperty(CPage::kPageGroup, CPage::kBackgroundTransparency)->SetValue(CPropertyValue(c.transparency));
        const std::vector<uint32_t> words = run.CompileAll().PageWords(0);
        ASSERT_EQ(words.size(), 25u) << c.what;
        EXPECT_EQ(words[0], uint32_t(c.pageType)) << c.what;
        EXPECT_EQ(words[15], c.color) << c.what;
        EXPECT_EQ(words[22], c.flags) << c.what;
    }
}

TEST_F(CPageCompile, PopUpPagesWriteAnEmptyRectangleWithAPlaceholderElementAndNoPicture)
{
    for (const int32_t type : {5, 6}) {
        PageCompileHarness run;
        CPage& page = run.list.Add(u"Pop");
        page.SetPageType(type);
        page.SetBackgroundImage(utf8ToWide(vx::test::fixturePath("images/rgb24.bmp").string()));
        const CompiledPages file = run.CompileAll();
        EXPECT_EQ(file.chunkOffsets[0], ChunkHeader::kSize) << "no image chunk before the page";
        const std::vector<uint32_t> words = file.PageWords(0);
        const std::vector<uint32_t> background = {48, 44, 26, 0, kNone, kNone, kNone, kNone, 0, 0, 6, 0};
        ASSERT_EQ(words.size(), 7 + background.size());
        EXPECT_EQ(words[0], uint32_t(type));
        EXPECT_EQ(words[2], 0u) << "the placeholder is no element";
        EXPECT_EQ(std::vector<uint32_t>(words.begin() + 7, words.end()), background);
        EXPECT_EQ(run.resources.Entries().size(), 0u);
    }
}

TEST_F(CPageCompile, ABackgroundPictureIsWrittenOnceAndTakenBackAsAStaticImage)
{
    harness.width = 16;
    harness.height = 8;
    const std::u16string picture = utf8ToWide(vx::test::fixturePath("images/rgb24.bmp").string());
    for (const char16_t* name : {u"One", u"Two"})
        harness.list.Add(name).SetBackgroundImage(picture);
    const CompiledPages file = harness.CompileAll();

    ASSERT_EQ(harness.resources.Entries().size(), 2u);
    EXPECT_EQ(harness.resources.WrittenCount(), 1u);
    const uint32_t image = harness.resources.Entries()[0];
    EXPECT_EQ(image, ChunkHeader::kSize);   // before the first page chunk
    EXPECT_EQ(harness.resources.Entries()[1], image);
    EXPECT_EQ(vx::test::WordAt(file.bytes, image), kChunkImageLzo);
    EXPECT_EQ(vx::test::WordAt(file.bytes, image + ChunkHeader::kDataOffset), 16u);   // scaled to the page
    EXPECT_EQ(vx::test::WordAt(file.bytes, image + ChunkHeader::kDataOffset + 4), 8u);
    for (std::size_t i = 0; i < 2; ++i) {
        const std::vector<uint32_t> words = file.PageWords(i);
        ASSERT_EQ(words.size(), 25u);
        EXPECT_EQ(words[9], uint32_t(WidgetType::StaticImage));
        EXPECT_EQ(words[15], image);
        EXPECT_EQ(words[17], uint32_t(ElementKind::UnscaledBitmap));
        EXPECT_EQ(words[22], PageBackground::kFlagsOpaque);   // no Global page in the project
    }
    EXPECT_LT(file.chunkOffsets[0], file.chunkOffsets[1]);
}

TEST_F(CPageCompile, APictureThatDoesNotLoadKeepsTheEntriesAlignedAndFallsBackToTheColour)
{
    CPage& page = harness.list.Add(u"Main");
    page.SetBackgroundImage(u"missing.png");
    addRecordObject(harness.list.Add(u"Next"), u"img", 0x4444, {0, 0, 10, 10});
    const CompiledPages file = harness.CompileAll();
    EXPECT_EQ(file.PageWords(0)[9], uint32_t(WidgetType::Rectangle));
    EXPECT_EQ(file.PageWords(0)[15], 0xFF000000u);
    // The next page's object takes its own entry, not the page's.
    EXPECT_EQ(file.PageWords(1)[7 + 8], 0x4444u);
}

TEST_F(CPageCompile, ObjectRecordsAreWrittenLastFirstWithTheirSizesPatchedAroundTheClassWords)
{
    CPage& page = harness.list.Add(u"Main");
    harness.list.Add(u"Second");
    addRecordObject(page, u"bottom", 0x1111, {0, 0, 100, 100});
    addRecordObject(page, u"top", 0x2222, {50, 50, 150, 150});   // meets the one below
    page.FindProperty(CPage::kPageGroup, CPage::kInitialFocus)->SetValue(CPropertyValue(u"bottom"));
    setScript(*page.GetObjects()[0], {vx::test::Entry(4, 3, u"Second")});   // on press: go to page Second
    const CompiledPages file = harness.CompileAll();

    const std::vector<uint32_t> words = file.PageWords(0);
    const uint32_t firstRecord = uint32_t(file.chunkOffsets[0] + ChunkHeader::kDataOffset + PageHeader::kSize);
    const std::vector<uint32_t> header = {1, 3, 3, 1, 0, 0, firstRecord};   // focus: "bottom" is written second
    EXPECT_EQ(std::vector<uint32_t>(words.begin(), words.begin() + 7), header);

    constexpr uint32_t size = RecordObject::kWords * 4;
    const uint32_t flags = kElementFlagVisible;
    const std::vector<uint32_t> top = {
        size + 4, size, 1, 0, kNone, kNone, kNone, kNone, 0x2222,
        32, 2, 50, 50, 149, 149, flags | kElementFlagNoOverlap, 0,
        0,
    };
    const std::vector<uint32_t> bottom = {
        size + 24, size, 1, 0, kNone, kNone, kNone, kNone, 0x1111,
        32, 2, 0, 0, 99, 99, flags, 0,   // meets "top", written before it
        1, 4, 1, 3, 4, 1,                // on press: go to page 1
    };
    std::size_t at = 7;
    EXPECT_EQ(std::vector<uint32_t>(words.begin() + at, words.begin() + at + top.size()), top);
    at += top.size();
    EXPECT_EQ(std::vector<uint32_t>(words.begin() + at, words.begin() + at + bottom.size()), bottom);
    at += bottom.size();
    EXPECT_EQ(words[at + 2], uint32_t(WidgetType::Rectangle)) << "the background record comes last";
    EXPECT_EQ(page.GetElementCount(), 3);
    EXPECT_EQ(harness.percents, (std::vector<int32_t>{50, 100}));
    EXPECT_EQ(harness.resources.Cursor(), harness.resources.Entries().size());
    EXPECT_TRUE(harness.output.lines.size() == 2) << "no diagnostics";

    // Read through the shared records as the engine's page reader does.
    target::TargetSpanReader reader(file.bytes);
    ASSERT_EQ(reader.seek(file.chunkOffsets[0] + ChunkHeader::kDataOffset), 0);
    PageHeader read;
    ASSERT_EQ(readRecord(reader, read), 0);
    EXPECT_EQ(read.objectCount, 3u);
    ASSERT_EQ(reader.seek(read.firstRecordOffset), 0);
    for (uint32_t i = 0; i < read.objectCount; ++i) {
        const uint64_t start = reader.tell();
        ObjectRecordPrefix prefix;
        ASSERT_EQ(readRecord(reader, prefix), 0);
        EXPECT_LE(prefix.actionBlockOffset, prefix.recordSize);
        ASSERT_EQ(reader.seek(start + prefix.recordSize), 0);
    }
    EXPECT_EQ(reader.tell(), file.chunkOffsets[0] + 8 + vx::test::WordAt(file.bytes, file.chunkOffsets[0] + 4));
}

TEST_F(CPageCompile, PlaceholdersAreNeitherCountedNorComparedForTheOverlapBit)
{
    // A button without text and icon: two placeholders, then its body over the same rectangle.
    CPage& page = harness.list.Add(u"Main");
    CEditorObject& button = page.AddObject(CEditorObject::CreateObject(kButton, &page));
    button.SetRect(10, 20, 110, 60);
    button.FindProperty(u"Appearance", u"Text")->SetValue(CPropertyValue(u""));
    const std::vector<uint32_t> words = harness.CompileAll().PageWords(0);

    EXPECT_EQ(words[2], 2u) << "the body and the background";
    EXPECT_EQ(page.GetElementCount(), 2);
    const std::vector<uint32_t> elements = {
        0, 6,                                 // no text
        0, 6,                                 // no icon
        32, 3, 10, 20, 109, 59, 28, 0,        // the body: visible, meets nothing, touchable
    };
    const auto found = std::search(words.begin(), words.end(), elements.begin(), elements.end());
    EXPECT_NE(found, words.end()) << "the button's elements";
}

TEST_F(CPageCompile, ElementRectanglesStartAfreshOnEachPage)
{
    addRecordObject(harness.list.Add(u"One"), u"a", 0, {0, 0, 10, 10});
    addRecordObject(harness.list.Add(u"Two"), u"b", 0, {0, 0, 10, 10});
    const CompiledPages file = harness.CompileAll();
    for (std::size_t i = 0; i < 2; ++i)
        EXPECT_EQ(file.PageWords(i)[7 + 15], kElementFlagVisible | kElementFlagNoOverlap) << "page " << i;
    EXPECT_EQ(harness.list.pages[1]->GetElementRects().size(), 1u);
}

TEST_F(CPageCompile, TheFirstObjectOfAWindowPageIsTouchable)
{
    CPage& page = harness.list.Add(u"Win");
    page.SetPageType(6);
    addRecordObject(page, u"first", 0, {0, 0, 10, 10});
    addRecordObject(page, u"second", 0, {20, 0, 30, 10});
    const std::vector<uint32_t> words = harness.CompileAll().PageWords(0);
    const std::size_t second = 7, first = 7 + RecordObject::kWords + 1;
    EXPECT_EQ(words[second + 15], kElementFlagVisible | kElementFlagNoOverlap);
    EXPECT_EQ(words[first + 15], kElementFlagVisible | kElementFlagNoOverlap | kElementFlagTouchable);
}

TEST_F(CPageCompile, AnObjectWithoutWordsOfItsOwnGetsARecordTheEngineSkips)
{
    CPage& page = harness.list.Add(u"Main");
    // An object whose class writes no words of its own.
    auto silent = std::make_unique<CObjPlaceholder>(kButton);
    silent->InitObject(&page);
    page.AddObject(std::move(silent));
    const std::vector<uint32_t> words = harness.CompileAll().PageWords(0);
    const std::vector<uint32_t> record = {36, 32, 0, 0, kNone, kNone, kNone, kNone, 0};
    EXPECT_EQ(std::vector<uint32_t>(words.begin() + 7, words.begin() + 7 + record.size()), record);
    EXPECT_EQ(words[1], 2u);
    EXPECT_EQ(words[2], 1u) << "only the background's element";
}

TEST_F(CPageCompile, APageWithAnOpenEditorCompilesWhatTheEditorShows)
{
    CPage& page = harness.list.Add(u"Main");
    addRecordObject(page, u"saved", 0x1, {0, 0, 5, 5});
    CDiagramEntityContainer editor;
    page.SetEditor(&editor);
    for (const char16_t* name : {u"shown-1", u"shown-2"}) {
        auto shown = std::make_unique<CObjPlaceholder>(kButton);
        shown->InitObject(&page);
        shown->SetRect(0, 0, 40, 20);
        CObjectNames::InitObjectName(*shown, name);
        editor.Add(std::move(shown));
    }
    // The same two objects on a page of their own, for the elements they write.
    CPage& reference = harness.list.Add(u"Reference");
    for (int i = 0; i < 2; ++i)
        reference.AddObject(CEditorObject::CreateObject(kButton, &reference)).SetRect(0, 0, 40, 20);
    const auto& compiled = harness.CompileAll();
    const std::vector<uint32_t> words = compiled.PageWords(0);
    EXPECT_EQ(words[1], 3u);
    EXPECT_EQ(words[2], compiled.PageWords(1)[2]) << "the saved object's element is not written";
    ASSERT_EQ(page.GetObjectCount(), 2);
    EXPECT_EQ(page.FindObjectByName(u"saved"), -1);
    EXPECT_EQ(page.FindObjectByName(u"shown-2"), 1);
}

TEST_F(CPageCompile, ThePageScriptEndsTheBackgroundRecordAndNamesObjectsByTargetIndex)
{
    CPage& page = harness.list.Add(u"Main");
    addRecordObject(page, u"a", 0, {0, 0, 5, 5});
    addRecordObject(page, u"b", 0, {10, 0, 15, 5});
    setScript(page, {vx::test::Entry(10, 40, u"a")});   // on entering page: the object "a"
    const std::vector<uint32_t> words = harness.CompileAll().PageWords(0);
    const std::vector<uint32_t> actions = {1, 10, 1, 40, 4, 1};
    ASSERT_GE(words.size(), actions.size());
    EXPECT_EQ(std::vector<uint32_t>(words.end() - actions.size(), words.end()), actions);
}

} // namespace
