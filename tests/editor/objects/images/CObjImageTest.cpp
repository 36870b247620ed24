#include <gtest/gtest.h>

#include <vector>

#include "editor/document/CObjectTypeTable.h"
#include "editor/objects/images/CObjImage.h"
#include "editor/objects/lists/CObjListBox.h"
#include "editor/objects/shared/CObjectImageFile.h"
#include "editor/objects/shared/CResourceAlignment.h"
#include "foundation/TextHelpers.h"
#include "foundation/target/TargetElement.h"
#include "foundation/target/TargetTag.h"
#include "foundation/xml/DXMLElement.h"
#include "tests/support/TestEnvironment.h"
#include "tests/editor/objects/images/CompiledRecord.h"

namespace {

using target::TimerMode;
using vx::test::ObjectCompileHarness;
using Compiled = vx::test::CompiledRecord;
using vx::test::ElementWords;

constexpr auto compile = vx::test::CompileRecord;
constexpr auto joined = vx::test::Joined;
constexpr auto header = vx::test::RecordHeaderWords;

constexpr uint32_t kNone = target::TagReference::kNone;
// Flags of an element that meets nothing before it, at 32 bits.
constexpr uint32_t kAlone = target::kElementFlagVisible | target::kElementFlagNoOverlap;

std::u16string fixture(const char* name)
{
    return utf8ToWide(vx::test::fixturePath(std::string("images/") + name).string());
}

std::unique_ptr<CObjImage> makeImage(int32_t type, CSelectable& page)
{
    auto object = CEditorObject::CreateObject(type, &page);
    auto* image = dynamic_cast<CObjImage*>(object.get());
    EXPECT_NE(image, nullptr);
    object.release();
    std::unique_ptr<CObjImage> owned(image);
    owned->FindProperty(u"none", u"Name")->SetValue(CPropertyValue(u"obj"));
    owned->SetRect(10, 20, 50, 50);
    return owned;
}

void set(CEditorObject& object, std::u16string_view category, std::u16string_view caption, std::u16string_view value)
{
    object.FindProperty(category, caption)->SetValue(CPropertyValue(value));
}

// An element record over the object's rectangle (10, 20)-(50, 50).
std::vector<uint32_t> element(target::ElementKind kind, uint32_t flags = kAlone)
{
    return ElementWords(kind, 10, 20, 50, 50, flags);
}
const std::vector<uint32_t> kPlaceholder = {0, uint32_t(target::ElementKind::Placeholder)};

struct CObjImageCompile : ::testing::Test {
    CObjImageCompile() { harness.scope.page = &page; }
    CSelectable page{kPageObjectType};
    ObjectCompileHarness harness;
};

TEST(CObjImage, AnswersByType)
{
    struct Case {
        int32_t type;
        bool invisible;
        bool writesValueTag;
        bool hasPosition;
    };
    const Case cases[] = {
        {1, false, false, true}, {9, false, false, true}, {22, false, false, true},
        {23, true, false, false}, {24, true, true, false},
    };
    CSelectable page(kPageObjectType);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        const auto object = makeImage(c.type, page);
        EXPECT_EQ(object->IsInvisible(), c.invisible);
        EXPECT_EQ(object->IsWritableTagProperty(u"Value tag"), c.writesValueTag);
        EXPECT_FALSE(object->IsWritableTagProperty(u"Timer disable tag"));
        EXPECT_EQ(object->GetProperties().FindCategory(u"Position & Size") != nullptr, c.hasPosition);
        EXPECT_FALSE(object->IsFocusable());
        EXPECT_FALSE(object->HasScaling());
        EXPECT_TRUE(object->HasMultiLineText());
    }
}

TEST(CObjImage, TimerModeFromItsFirstLetters)
{
    const std::pair<std::u16string_view, TimerMode> cases[] = {
        {u"Forward", TimerMode::UpWrap},        {u"forward-Stop", TimerMode::UpHold},
        {u"Bidirectional", TimerMode::PingPong}, {u"Backward", TimerMode::DownWrap},
        {u"backward-Stop", TimerMode::DownHold}, {u"Follow", TimerMode::TowardStop},
        {u"Fo", TimerMode::UpWrap},              {u"B", TimerMode::DownWrap},
        {u"", TimerMode::UpWrap},                {u"x", TimerMode::UpWrap},
    };
    for (const auto& [text, mode] : cases)
        EXPECT_EQ(CObjImage::TimerModeCode(text), mode) << wideToUtf8(text);
}

TEST(CObjImage, DynamicImageItemsAreEndedBySeparatorsAndCutToTheCount)
{
    struct Case {
        std::u16string_view images;
        std::u16string_view count;
        std::vector<std::u16string> items;
    };
    const Case cases[] = {
        {u"a\x01" u"b\x01" u"c\x01", u"3", {u"a", u"b", u"c"}},
        {u"a\x01" u"b\x01" u"c", u"3", {u"a", u"b"}},   // no closing separator: the last item is lost
        {u"a\x01" u"b\x01" u"c\x01", u"2", {u"a", u"b"}},
        {u"a\x01" u"b\x01", u"5", {u"a", u"b"}},
        {u"a\x01" u"b\x01", u"", {u"a"}},              // empty counts one
        {u"a\x01" u"b\x01", u"-4", {u"a"}},
        {u"\x01" u"b\x01", u"2", {u"", u"b"}},
        {u"", u"3", {}},
    };
    CSelectable page(kPageObjectType);
    const auto object = makeImage(9, page);
    for (const Case& c : cases) {
        SCOPED_TRACE(wideToUtf8(c.images));
        set(*object, u"Behavior", u"Images", c.images);
        set(*object, u"Behavior", u"Nr of images", c.count);
        EXPECT_EQ(object->DynamicImageItems(), c.items);
    }
}

TEST_F(CObjImageCompile, ImageWritesItsPictureAndOneElement)
{
    const auto image = makeImage(1, page);
    set(*image, u"Appearance", u"Image", fixture("rgba.png"));
    const Compiled compiled = compile(harness, *image);
    ASSERT_EQ(compiled.entries.size(), 1u);
    const uint32_t picture = compiled.entries[0];
    EXPECT_NE(picture, 0u);
    EXPECT_EQ(compiled.words, joined({header(1), {picture}, element(target::ElementKind::UnscaledBitmap)}));
    EXPECT_EQ(compiled.taken, compiled.entries.size());
    EXPECT_TRUE(harness.output.lines.empty());
}

TEST_F(CObjImageCompile, AnImageThatDoesNotLoadStillWritesEntryZeroAndItsElementAndSaysSo)
{
    const auto image = makeImage(1, page);
    set(*image, u"Appearance", u"Image", u"/nowhere/missing.png");
    const Compiled compiled = compile(harness, *image);
    EXPECT_EQ(compiled.entries, std::vector<uint32_t>{0});
    EXPECT_EQ(compiled.words, joined({header(1), {0}, element(target::ElementKind::UnscaledBitmap)}));
    EXPECT_EQ(compiled.taken, 1u);
    EXPECT_EQ(harness.Lines(), std::vector<std::u16string>{u"\r\nWarning in obj object: Picture file cannot be read "
                                                          u"(object property Image /nowhere/missing.png)"});
    EXPECT_EQ(harness.report.Result(), uint32_t(kCompileWarning));
}

TEST_F(CObjImageCompile, EachDynamicImageFileThatDoesNotLoadIsNamedAndAnImageNamingNoneIsNot)
{
    const auto dynamic = makeImage(9, page);
    const std::u16string rgba = fixture("rgba.png");
    set(*dynamic, u"Behavior", u"Nr of images", u"4");
    set(*dynamic, u"Behavior", u"Images", rgba + u"\x01/nowhere/a.png\x01" + rgba + u"\x01/nowhere/b.bmp\x01");
    const Compiled compiled = compile(harness, *dynamic);
    ASSERT_EQ(compiled.entries.size(), 4u);
    EXPECT_EQ(compiled.entries[1], 0u);
    EXPECT_EQ(compiled.entries[3], 0u);
    EXPECT_EQ(harness.Lines(),
              (std::vector<std::u16string>{
                  u"\r\nWarning in obj object: Picture file cannot be read (object property Images /nowhere/a.png)",
                  u"\r\nWarning in obj object: Picture file cannot be read (object property Images /nowhere/b.bmp)"}));

    harness.output.lines.clear();
    const auto none = makeImage(1, page);
    set(*none, u"Appearance", u"Image", u"");
    (void)compile(harness, *none);
    EXPECT_TRUE(harness.output.lines.empty()) << "no file named, nothing to read";
}

TEST_F(CObjImageCompile, ImagesOfNoSizeMakeNoPictureAndSaySo)
{
    for (const int32_t type : {1, 9}) {
        SCOPED_TRACE(type);
        const auto image = makeImage(type, page);
        if (type == 1)
            set(*image, u"Appearance", u"Image", fixture("rgba.png"));
        else
            set(*image, u"Behavior", u"Images", fixture("rgba.png") + u"\x01");
        image->SetMinimumSize(-1, -1);
        image->SetRect(10, 20, 10, 50);
        harness.output.lines.clear();
        harness.resources.Begin(32, target::kTargetFlagsDefault);
        const Compiled compiled = compile(harness, *image);
        EXPECT_EQ(compiled.entries, std::vector<uint32_t>{0});
        EXPECT_EQ(compiled.taken, 1u);
        EXPECT_EQ(compiled.words[2], uint32_t(type));
        EXPECT_EQ(compiled.words.size(), type == 1 ? 17u : 21u);
        ASSERT_EQ(harness.output.lines.size(), 1u);
        EXPECT_EQ(harness.output.lines[0].text,
                  u"\r\nWarning in obj object: Picture of no size left out (object property Width)");
    }
    EXPECT_EQ(harness.report.Result(), uint32_t(kCompileWarning));
}

TEST_F(CObjImageCompile, DynamicImageWritesItsCountPicturesAReservedWordAndItsTag)
{
    harness.AddTag(u"index", u"integer", 4, u"10");
    const auto image = makeImage(9, page);
    const std::u16string rgba = fixture("rgba.png");
    const std::u16string bmp = fixture("rgb24.bmp");
    set(*image, u"Behavior", u"Images", rgba + u"\x01" + bmp + u"\x01" + rgba + u"\x01" + bmp);
    set(*image, u"Data", u"Value tag", u"index");
    const Compiled compiled = compile(harness, *image);
    // Three ended items; the same picture twice is one chunk.
    ASSERT_EQ(compiled.entries.size(), 3u);
    const uint32_t first = compiled.entries[0], second = compiled.entries[1];
    EXPECT_EQ(compiled.entries[2], first);
    EXPECT_NE(first, second);
    const target::TagReference tag = harness.tags.Resolve(u"index");
    EXPECT_EQ(compiled.words, joined({header(9), {3, first, second, first, 0, tag.low, tag.high},
                                      element(target::ElementKind::UnscaledBitmap)}));
    EXPECT_EQ(image->CollectedImageCount(), 3u);
    EXPECT_EQ(compiled.taken, 3u);
}

TEST_F(CObjImageCompile, WindowWritesItsDirectionPageAndTagsOverAStillOrScrollingElement)
{
    harness.AddTag(u"position", u"integer", 4, u"10");
    harness.scope.pages = {{u"Main", 0}, {u"Menu", 2}};
    struct Case {
        std::u16string_view direction;
        std::u16string_view scrolling;
        uint32_t directionWord;
        std::vector<uint32_t> element;
    };
    const auto scrollingElement = [](uint32_t mode) {
        return joined({element(target::ElementKind::ScrollingBitmap), {mode}});
    };
    const Case cases[] = {
        {u"Vertical", u"Static", 1, element(target::ElementKind::UnscaledBitmap)},
        {u"Horizontal", u"Scrolling", 2, scrollingElement(target::ScrollingWords::kModeScrolling)},
        {u"Diagonal", u"Rotating", 2, scrollingElement(target::ScrollingWords::kModeWrapping)},
        {u"", u"Static", 2, element(target::ElementKind::UnscaledBitmap)},
    };
    const target::TagReference position = harness.tags.Resolve(u"position");
    for (const Case& c : cases) {
        SCOPED_TRACE(wideToUtf8(c.direction));
        const auto window = makeImage(22, page);
        set(*window, u"Behavior", u"Direction", c.direction);
        set(*window, u"Behavior", u"Scrolling type", c.scrolling);
        set(*window, u"Behavior", u"Referenced page", u"Menu");
        set(*window, u"Data", u"Position tag", u"position");
        harness.elementRects.clear();
        harness.resources.Begin(32, target::kTargetFlagsDefault);
        const Compiled compiled = compile(harness, *window);
        EXPECT_EQ(compiled.words, joined({header(22), {c.directionWord, 2, position.low, position.high, kNone, kNone},
                                          c.element}));
        EXPECT_TRUE(compiled.entries.empty());
    }
    EXPECT_TRUE(harness.output.lines.empty());
}

TEST_F(CObjImageCompile, AWindowOfAnUnknownPageWritesMinusOneAndReportsIt)
{
    harness.scope.pages = {{u"Main", 0}};
    const auto window = makeImage(22, page);
    set(*window, u"Behavior", u"Referenced page", u"Ghost");
    const Compiled compiled = compile(harness, *window);
    ASSERT_GT(compiled.words.size(), 9u);
    EXPECT_EQ(int32_t(compiled.words[9]), -1);
    ASSERT_EQ(harness.output.lines.size(), 1u);
    EXPECT_EQ(harness.output.lines[0].text, u"\r\nError in obj object: Invalid page number (object property Ghost)");
    EXPECT_EQ(harness.report.Result() & kCompileError, kCompileError);
}

TEST_F(CObjImageCompile, TagTriggerWritesItsTagAndAPlaceholder)
{
    harness.AddTag(u"watched", u"integer", 4, u"10");
    const auto trigger = makeImage(23, page);
    set(*trigger, u"Data", u"Value tag", u"watched");
    const target::TagReference tag = harness.tags.Resolve(u"watched");
    const Compiled compiled = compile(harness, *trigger);
    EXPECT_EQ(compiled.words, joined({header(23), {tag.low, tag.high}, kPlaceholder}));
}

TEST_F(CObjImageCompile, TimerWritesItsModeRangeStepAndTwoTags)
{
    harness.AddTag(u"count", u"integer", 4, u"10");
    harness.AddTag(u"run", u"short", 2, u"14");
    const auto timer = makeImage(24, page);
    set(*timer, u"Behavior", u"Mode", u"backward-Stop");
    set(*timer, u"Behavior", u"Start value", u"-5");
    set(*timer, u"Behavior", u"Stop value", u"40");
    set(*timer, u"Behavior", u"Step time [ms]", u"250");
    set(*timer, u"Data", u"Value tag", u"count");
    set(*timer, u"Data", u"Timer disable tag", u"run");
    const target::TagReference count = harness.tags.Resolve(u"count");
    const target::TagReference run = harness.tags.Resolve(u"run");
    const Compiled compiled = compile(harness, *timer);
    EXPECT_EQ(compiled.words, joined({header(24), {5, uint32_t(-5), 40, 250, count.low, count.high, run.low, run.high},
                                      kPlaceholder}));
    EXPECT_TRUE(harness.output.lines.empty());
}

TEST_F(CObjImageCompile, TheTimerWritesItsValueTagSoASystemTagThereIsReported)
{
    const auto timer = makeImage(24, page);
    set(*timer, u"Data", u"Value tag", u"sys_counter");
    set(*timer, u"Data", u"Timer disable tag", u"sys_counter");
    compile(harness, *timer);
    // Only the value tag is written.
    ASSERT_EQ(harness.output.lines.size(), 1u);
    EXPECT_NE(harness.output.lines[0].text.find(u"System tag used as writable tag"), std::u16string::npos);
}

TEST_F(CObjImageCompile, EveryKindTakesBackExactlyWhatItCollected)
{
    std::vector<std::unique_ptr<CEditorObject>> objects;
    for (const int32_t type : {1, 9, 20, 21, 22, 23, 24})
        objects.push_back(CEditorObject::CreateObject(type, &page));
    set(*objects[0], u"Appearance", u"Image", fixture("rgba.png"));
    set(*objects[1], u"Behavior", u"Images", fixture("rgba.png") + u"\x01/missing.png\x01");
    std::size_t collected = 0;
    harness.Write([&](DRIFFFile& file, CObjectCompileContext& context) {
        CResourceAlignment alignment(context.resources);
        for (auto it = objects.rbegin(); it != objects.rend(); ++it)
            collected += alignment.Collect(**it, file);
        for (auto it = objects.rbegin(); it != objects.rend(); ++it)
            alignment.Compile(**it, file, context);
        EXPECT_EQ(alignment.Mismatches(), 0u);
    });
    // 1 + 2 + (3 frames + 3 items) + (3 frames + a font).
    EXPECT_EQ(collected, 13u);
    EXPECT_EQ(harness.resources.Cursor(), collected);
}

TEST(CObjImagePreview, RelativePathsAreTakenFromTheProjectFolder)
{
    CSelectable page(kPageObjectType);
    const auto image = makeImage(1, page);
    set(*image, u"Appearance", u"Image", u"rgba.png");
    CObjectImageFile::SetProjectFolder(vx::test::fixturePath("images"));
    const gfx::Surface found = image->RenderPreview();
    CObjectImageFile::SetProjectFolder({});
    ASSERT_TRUE(found.isValid());
    EXPECT_NE(found.pixel(0, 0), 0u);
    EXPECT_EQ(image->RenderPreview().pixel(0, 0), 0u);
}

TEST(CObjImagePreview, APictureAtTheObjectsSizeOrAClearAreaWhenItDoesNotLoad)
{
    CSelectable page(kPageObjectType);
    const auto image = makeImage(1, page);
    image->SetRect(0, 0, 8, 6);
    set(*image, u"Appearance", u"Image", fixture("rgb24.bmp"));
    const gfx::Surface picture = image->RenderPreview();
    ASSERT_TRUE(picture.isValid());
    EXPECT_EQ(picture.width(), 8);
    EXPECT_EQ(picture.height(), 6);
    EXPECT_EQ(picture.pixel(0, 0) >> 24, 0xFFu);   // a 24-bit file is opaque
    set(*image, u"Appearance", u"Transparency", u"128");
    EXPECT_EQ(image->RenderPreview().pixel(0, 0) >> 24, 255u * 127 / 256);
    set(*image, u"Appearance", u"Transparency", u"0");

    set(*image, u"Appearance", u"Image", u"/nowhere/missing.png");
    const gfx::Surface clear = image->RenderPreview();
    ASSERT_TRUE(clear.isValid());
    EXPECT_EQ(clear.width(), 8);
    EXPECT_EQ(clear.pixel(3, 3), 0u);

    // Only an object without the editor's smallest size can have no area.
    image->SetMinimumSize(-1, -1);
    image->SetRect(0, 0, 0, 6);
    EXPECT_FALSE(image->RenderPreview().isValid());
    const auto timer = makeImage(24, page);
    EXPECT_FALSE(timer->RenderPreview().isValid());
}

TEST(CObjImageXml, TypePropertiesAndPositionWithoutFontOrStyle)
{
    CSelectable page(kPageObjectType);
    const auto timer = makeImage(24, page);
    set(*timer, u"Behavior", u"Stop value", u"7");
    DXMLElement root(u"page");
    timer->WriteXml(root);
    const DXMLElement* element = root.getChild(u"object");
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->getChild(u"type")->getText(), u"timer");
    EXPECT_EQ(element->getChild(u"stop")->getText(), u"7");
    EXPECT_NE(element->getChild(u"posLeft"), nullptr);
    EXPECT_EQ(element->getChild(u"fontFamily"), nullptr);
    EXPECT_EQ(element->getChild(u"style"), nullptr);

    const auto read = makeImage(24, page);
    EXPECT_TRUE(read->ReadXml(*element));
    EXPECT_EQ(read->FindProperty(u"Behavior", u"Stop value")->GetInt(), 7);
    EXPECT_EQ(read->GetRect().right, 50);
}

} // namespace
