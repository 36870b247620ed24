#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "editor/document/CObjectTypeTable.h"
#include "editor/objects/CEditorObject.h"
#include "editor/objects/CFileReference.h"
#include "editor/objects/CObjectFonts.h"
#include "foundation/text/DRendererBitmap.h"
#include "editor/objects/OlderProjectConversion.h"
#include "foundation/worker/CBkgWorker.h"
#include "foundation/xml/DXMLElement.h"
#include "platform/gfx/DeviceContext.h"
#include "tests/support/editor/CObjPlaceholder.h"
#include "tests/support/editor/DrainingWorker.h"
#include "tests/support/editor/FakeTheme.h"

namespace {

using vx::test::DrainingWorker;
using vx::test::FakeThemes;

struct CEditorObjectPreview : ::testing::Test {
    CEditorObjectPreview()
    {
        CEditorObject::UseWorker(&worker);
        worker.Start();
    }
    ~CEditorObjectPreview() override
    {
        EXPECT_EQ(worker.Stop(), CBkgWorker::StopResult::Stopped);
        CEditorObject::UseWorker(nullptr);
    }
    FakeThemes themes;
    DrainingWorker worker;
    CSelectable page{kPageObjectType};
};

TEST_F(CEditorObjectPreview, APreviewDrawnByTheWorkerAppearsOnceTheQueueDrains)
{
    vx::test::FakeTheme& theme = themes.Add(u"Aqua");
    // The placeholder's preview: one theme frame over a plain default drawing.
    auto meter = std::make_unique<CObjPlaceholder>(14);
    meter->InitObject(&page);
    meter->SetRect(0, 0, 8, 6);
    gfx::Surface view(8, 6);
    {
        // No preview yet: the default drawing, and a request for one.
        gfx::DeviceContext dc(view);
        meter->DrawObject(dc, 1.0);
    }
    // The worker may have drawn it already; what the view got is the default drawing.
    ASSERT_TRUE(worker.WaitUntil([&] { return !meter->IsPreviewPending(); }));
    EXPECT_TRUE(meter->HasPreview());
    EXPECT_FALSE(meter->IsPreviewPending());
    EXPECT_EQ(theme.draws, 1);

    gfx::Surface drawn(8, 6);
    {
        gfx::DeviceContext dc(drawn);
        meter->DrawObject(dc, 1.0);
    }
    EXPECT_EQ(drawn.pixel(4, 3), theme.frame);
    EXPECT_EQ(view.pixel(4, 3), gfx::Colour::fromColorRef(0xC0C0C0).premultiplied());
    EXPECT_FALSE(meter->IsPreviewPending());   // a fresh picture asks for nothing more

    // Drawn at another zoom, the same picture serves; a new size asks for a new one.
    gfx::Surface zoomed(16, 12);
    {
        gfx::DeviceContext dc(zoomed);
        meter->DrawObject(dc, 2.0);
    }
    EXPECT_EQ(zoomed.pixel(9, 7), theme.frame);
    EXPECT_FALSE(meter->IsPreviewPending());
    meter->SetRect(0, 0, 10, 6);
    {
        gfx::DeviceContext dc(zoomed);
        meter->DrawObject(dc, 1.0);
    }
    // Asked for (and perhaps drawn already): a second picture comes.
    ASSERT_TRUE(worker.WaitUntil([&] { return !meter->IsPreviewPending(); }));
    EXPECT_EQ(theme.draws, 2);
}

TEST_F(CEditorObjectPreview, DestroyingAnObjectCancelsItsQueuedWork)
{
    themes.Add(u"Aqua");
    for (int i = 0; i < 20; ++i) {
        auto meter = CEditorObject::CreateObject(14, &page);
        meter->SetRect(0, 0, 40, 40);
        meter->Invalidate();
        // Going at once: its queued work is cancelled or waited for, never run on a
        // freed object (the sanitizers would tell).
    }
    std::vector<std::unique_ptr<CEditorObject>> kept;
    for (int i = 0; i < 3; ++i) {
        kept.push_back(CEditorObject::CreateObject(14, &page));
        kept.back()->SetRect(0, 0, 10, 10);
        kept.back()->Invalidate();
    }
    EXPECT_TRUE(worker.WaitUntil([&] {
        return std::none_of(kept.begin(), kept.end(), [](const auto& object) { return object->IsPreviewPending(); });
    }));
    for (const auto& object : kept)
        EXPECT_TRUE(object->HasPreview());
}

TEST_F(CEditorObjectPreview, AnObjectThatGoesWhileTheWorkerRendersItWaitsForTheRender)
{
    vx::test::FakeTheme& theme = themes.Add(u"Vista-like");
    std::mutex lock;
    std::condition_variable changed;
    bool rendering = false;
    theme.onDraw = [&] {
        {
            std::lock_guard held(lock);
            rendering = true;
        }
        changed.notify_all();
        // Holds the render open while the object starts to go; the text is drawn after.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    };
    auto button = CEditorObject::CreateObject(17, &page);
    button->SetRect(0, 0, 100, 40);
    button->Invalidate();
    {
        std::unique_lock held(lock);
        ASSERT_TRUE(changed.wait_for(held, std::chrono::seconds(30), [&] { return rendering; }));
    }
    // Nothing of the button may be destroyed before the render is done with it (the
    // sanitizers tell when it is).
    button.reset();
    EXPECT_EQ(theme.draws, 1);
}

TEST(CEditorObjectXml, PositionAndFontChildrenReadBack)
{
    CSelectable page(kPageObjectType);
    auto button = CEditorObject::CreateObject(17, &page);
    button->SetRect(12, 34, 112, 84);
    button->SetGroup(7);
    button->SetLock(4, true);
    button->GetFormat().FindProperty(u"Format", u"Text")->SetValue(CPropertyValue(u"DejaVu Sans"));
    button->GetFormat().FindProperty(u"Format", u"Size")->SetValue(CPropertyValue(int32_t(21)));
    DXMLElement root(u"page");
    button->WriteXml(root);
    const DXMLElement* element = root.getChild(u"object");
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->getChild(u"type")->getText(), u"button");
    EXPECT_EQ(element->getChild(u"posLeft")->getText(), u"12");
    EXPECT_EQ(element->getChild(u"posBottom")->getText(), u"84");
    EXPECT_EQ(element->getChild(u"posGroup")->getText(), u"7");
    EXPECT_EQ(element->getChild(u"posLock")->getText(), u"4");
    EXPECT_EQ(element->getChild(u"fontFamily")->getText(), u"DejaVu Sans");

    auto read = CEditorObject::CreateObject(17, &page);
    ASSERT_TRUE(read->ReadXml(*element));
    EXPECT_EQ(read->GetRect().left, 12);
    EXPECT_EQ(read->GetRect().bottom, 84);
    EXPECT_EQ(read->GetGroup(), 7);
    EXPECT_EQ(read->GetLock(), 4u);
    EXPECT_EQ(read->FindProperty(u"Position & Size", u"Width")->GetInt(), 100);
    EXPECT_EQ(read->GetFormat().FindProperty(u"Format", u"Size")->GetInt(), 21);
    EXPECT_EQ(read->GetTextDescriptor().family.view(), u"DejaVu Sans");
}

TEST(CEditorObjectXml, TickAlignmentChildIsAnIndexIntoTheChoices)
{
    CSelectable page(kPageObjectType);
    auto slider = CEditorObject::CreateObject(18, &page);
    DXMLElement element(u"object");
    element.addChild(u"alignment")->setText(u"2");
    slider->ReadXml(element);
    EXPECT_EQ(slider->FindProperty(u"Ticks & Labels", u"Tick alignment")->GetValueText(), u"Bottom/Right");
}

TEST(CEditorObject, TextDescriptorAt96DotsPerInch)
{
    EXPECT_EQ(CEditorObject::PointsToPixels(12), 16);
    EXPECT_EQ(CEditorObject::PointsToPixels(10), 13);   // 13.33
    EXPECT_EQ(CEditorObject::PointsToPixels(7), 9);     // 9.33
    EXPECT_EQ(CEditorObject::PointsToPixels(-3), -4);
    CSelectable page(kPageObjectType);
    auto button = CEditorObject::CreateObject(17, &page);
    button->GetFormat().FindProperty(u"Format", u"Text")->SetValue(CPropertyValue(u"@Vertical"));
    EXPECT_EQ(button->GetTextDescriptor().family.view(), u"Vertical");
}

TEST(CEditorObject, DirectionCodes)
{
    CSelectable page(kPageObjectType);
    struct Case {
        int32_t type;
        std::u16string_view caption;
        std::u16string_view value;
        int32_t code;
    };
    const Case cases[] = {
        {14, u"Direction", u"Counterclockwise", 2}, {14, u"Direction", u"Clockwise", 1},
        {14, u"Direction", u"hOrizontal", 2}, {18, u"Propagation from", u"bottom", 4},
        {13, u"Propagation from", u"right", 2}, {13, u"Propagation from", u"Top", 3},
        {13, u"Propagation from", u"Left", 1},
    };
    for (const Case& test : cases) {
        auto object = CEditorObject::CreateObject(test.type, &page);
        CPropertyBase* property = object->FindProperty(u"Appearance", test.caption);
        ASSERT_NE(property, nullptr);
        property->SetValue(CPropertyValue(test.value));
        EXPECT_EQ(object->GetDirectionCode(), test.code) << std::string(test.value.begin(), test.value.end());
    }
    EXPECT_EQ(CEditorObject::CreateObject(1, &page)->GetDirectionCode(), 0);
}

TEST(CFileReference, PlaceholdersAbsoluteAndProjectRelative)
{
    const std::filesystem::path project = "/projects/plant";
    const std::filesystem::path placeholders = "/opt/vx/placeholders";
    EXPECT_EQ(CFileReference::Resolve(u"%placeholder.jpg", project, placeholders), placeholders / "placeholder.jpg");
    EXPECT_EQ(CFileReference::Resolve(u"/srv/pictures/a.png", project, placeholders), "/srv/pictures/a.png");
    EXPECT_EQ(CFileReference::Resolve(u"C:\\pictures\\a.png", project, placeholders), "C:/pictures/a.png");
    EXPECT_EQ(CFileReference::Resolve(u"images\\lamp.png", project, placeholders), project / "images/lamp.png");
    EXPECT_EQ(CFileReference::Resolve(u"a", project, placeholders), std::filesystem::path());
    EXPECT_EQ(CFileReference::Resolve(u"", project, placeholders), std::filesystem::path());
    EXPECT_EQ(CFileReference::Resolve(u"%ss__1.jpg", project).filename(), "ss__1.jpg");
}

TEST(OlderProjectConversion, PixelsBecomePercentOfHalfTheExtent)
{
    using Sizes = OlderProjectConversion::TickSizes;
    const auto same = [](Sizes a, Sizes b) {
        return a.size == b.size && a.tickOffset == b.tickOffset && a.thumbOffset == b.thumbOffset;
    };
    EXPECT_TRUE(same(OlderProjectConversion::ToPercent({10, 5, 2}, 50), {20, 10, 4}));
    EXPECT_TRUE(same(OlderProjectConversion::ToPercent({100, 50, 1}, 50), {90, 0, 0}));
    EXPECT_TRUE(same(OlderProjectConversion::ToPercent({20, 80, -5}, 50), {40, 50, 0}));
    // No extent to measure against: the values stay, nothing divides by zero.
    EXPECT_TRUE(same(OlderProjectConversion::ToPercent({10, 5, 2}, 0), {10, 5, 2}));
    EXPECT_TRUE(same(OlderProjectConversion::ToPercent({10, 5, 2}, -3), {10, 5, 2}));
}

TEST(OlderProjectConversion, SlidersMeasureTheirDirectionAndKnobsTheSmallerSide)
{
    CSelectable page(kPageObjectType);
    auto knob = CEditorObject::CreateObject(19, &page);
    knob->SetRect(0, 0, 100, 40);   // half of the smaller side: 20
    knob->FindAnyProperty(u"Tick size [%]")->SetValue(CPropertyValue(int32_t(10)));
    OlderProjectConversion::ConvertTickSizes(*knob, 1);
    EXPECT_EQ(knob->FindAnyProperty(u"Tick size [%]")->GetInt(), 50);
    OlderProjectConversion::ConvertTickSizes(*knob, 2);   // current projects are left alone
    EXPECT_EQ(knob->FindAnyProperty(u"Tick size [%]")->GetInt(), 50);

    auto flat = CEditorObject::CreateObject(19, &page);
    flat->SetConstraints(-1, -1, -1, -1);
    flat->SetRect(0, 0, 100, 1);   // half of 1 is 0
    flat->FindAnyProperty(u"Tick size [%]")->SetValue(CPropertyValue(int32_t(10)));
    OlderProjectConversion::ConvertTickSizes(*flat, 0);
    EXPECT_EQ(flat->FindAnyProperty(u"Tick size [%]")->GetInt(), 10);
}

} // namespace

namespace {

TEST(CEditorObjectText, TextPreviewIsDrawnWithTheFormatGroupAndAHexColourOverride)
{
    foundation::DRendererBitmap renderer;
    renderer.textRenderer().enumFonts();
    CObjectFonts::Use(&renderer);
    CSelectable page(kPageObjectType);
    auto text = CEditorObject::CreateObject(2, &page);
    text->GetFormat().FindProperty(u"Format", u"Text")->SetValue(CPropertyValue(u"DejaVu Sans"));
    EXPECT_FALSE(CObjectFonts::FacesOf(u"DejaVu Sans").empty());

    const auto coverage = [](const gfx::Surface& picture, uint32_t& brightest) {
        int covered = 0;
        brightest = 0;
        for (int32_t y = 0; y < picture.height(); ++y)
            for (int32_t x = 0; x < picture.width(); ++x)
                if (const uint32_t pixel = picture.pixel(x, y); pixel >> 24 == 255) {
                    ++covered;
                    brightest = pixel;
                }
        return covered;
    };
    uint32_t pixel = 0;
    const gfx::Surface white = text->RenderTextPreview(u"HH", {60, 40});
    ASSERT_TRUE(white.isValid());
    EXPECT_GT(coverage(white, pixel), 10);
    EXPECT_EQ(pixel, 0xFFFFFFFFu);   // the default "Color", opaque
    const gfx::Surface red = text->RenderTextPreview(u"HH", {60, 40}, u"ff");
    EXPECT_GT(coverage(red, pixel), 10);
    EXPECT_EQ(pixel, 0xFFFF0000u);
    EXPECT_FALSE(text->RenderTextPreview(u"", {60, 40}).isValid());
    CObjectFonts::Use(nullptr);
    EXPECT_FALSE(text->RenderTextPreview(u"HH", {60, 40}).isValid());
}

} // namespace

namespace {

TEST(CEditorObject, ASelectedObjectDrawsItsOutlineAndMarkers)
{
    CSelectable page(kPageObjectType);
    auto image = CEditorObject::CreateObject(1, &page);
    image->SetRect(10, 10, 50, 40);
    image->Select(true);
    gfx::Surface surface(64, 64);
    {
        gfx::DeviceContext dc(surface);
        image->DrawSelectionMarkers(dc, 10, 10, 50, 40);
    }
    const uint32_t black = 0xFF000000;
    EXPECT_EQ(surface.pixel(20, 10), black);   // top edge between markers
    EXPECT_EQ(surface.pixel(20, 39), black);   // bottom edge, the last row in
    EXPECT_EQ(surface.pixel(10, 20), black);
    EXPECT_EQ(surface.pixel(49, 20), black);
    EXPECT_EQ(surface.pixel(20, 40), 0u);      // the bottom edge itself is out
    EXPECT_EQ(surface.pixel(20, 20), 0u);      // nothing inside
    EXPECT_EQ(surface.pixel(7, 7), black);     // the top-left marker reaches outside
}

} // namespace
