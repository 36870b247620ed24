#include <gtest/gtest.h>

#include "engine/widgets/DCompositeObject_DynamicImage.h"
#include "engine/widgets/DCompositeObject_IndicatorLight.h"
#include "engine/widgets/DCompositeObject_MessageField.h"
#include "engine/widgets/DCompositeObject_StaticImage.h"
#include "engine/widgets/DCompositeObject_StaticText.h"
#include "tests/support/engine/WidgetFixture.h"
#include "tests/support/engine/WidgetRecords.h"

using namespace target;
using namespace widgettest;
using vx::test::TargetBuilder;
using vx::test::writeDynamicImage;
using vx::test::writeIndicatorLight;
using vx::test::writeMessageField;
using vx::test::writeStaticImage;
using vx::test::writeStaticText;

namespace {

constexpr uint32_t kValueTag = 1;

void pictureElement(TargetBuilder::Page& page, int32_t left = 0, int32_t top = 0, int32_t right = 4,
                    int32_t bottom = 4)
{
    page.element(ElementKind::UnscaledBitmap, left, top, right, bottom, kElementFlagVisible);
}

class ImageWidgetsTest : public WidgetFixture {
protected:
    // Three distinct pictures: red, green, blue.
    std::vector<uint32_t> threeImages(TargetBuilder& builder)
    {
        return {solidImage(builder, 0xFFFF0000), solidImage(builder, 0xFF00FF00), solidImage(builder, 0xFF0000FF)};
    }
    void loadPage(TargetBuilder& builder, const std::function<void(TargetBuilder::Page&)>& objects)
    {
        builder.page(uint32_t(PageType::Normal), -1, [&](auto& page) {
            objects(page);
            page.backgroundColour(0xFF000000, kWidth, kHeight);
        });
        ASSERT_EQ(load(builder.finish()), 0);
    }
};

struct ChoiceCase {
    int32_t value;
    uint32_t type;
    int image; // index into the list, -1 for none
};

// A value equal to N, any larger one and a negative one show image 0.
const ChoiceCase kChoices[] = {
    {2, kValueType32, 2},  {1, kValueType32, 1},  {3, kValueType32, 0},      {2, kValueType32, 2},
    {-1, kValueType32, 0}, {0, kValueType32, 0},  {1000, kValueType32, 0},   {1, kValueType16, 1},
    {-1, kValueType16, 0}, // 0xFFFF unsigned
};

} // namespace

TEST_F(ImageWidgetsTest, DynamicImageShowsThePictureOfTheValue)
{
    for (const ChoiceCase& c : kChoices) {
        SCOPED_TRACE(testing::Message() << c.value << " type " << c.type);
        EventHarness run;
        TargetBuilder builder(kWidth, kHeight, 1);
        const std::vector<uint32_t> images = threeImages(builder);
        builder.page(uint32_t(PageType::Normal), -1, [&](auto& page) {
            writeDynamicImage(page, {images, 3, localTag(kValueTag, c.type)});
            writeDynamicImage(page, {{}, 0, localTag(kValueTag, c.type)});
            page.backgroundColour(0xFF000000, kWidth, kHeight);
        });
        ASSERT_EQ(run.load(builder.finish()), 0);
        EXPECT_EQ(run.shown(0), images[0]); // image 0 on show
        run.setTag(kValueTag, c.value == 0 ? 1 : 0, c.type);
        run.setTag(kValueTag, c.value, c.type);
        EXPECT_EQ(run.shown(0), images[std::size_t(c.image)]);
        EXPECT_EQ(run.shown(1), 0u); // N = 0 never changes its picture
        run.project.render();
        const uint32_t colours[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};
        EXPECT_EQ(run.pixel(1, 1), colours[c.image]);
        EXPECT_EQ(run.pixel(5, 5), 0xFF000000u);
    }
}

TEST_F(ImageWidgetsTest, ChoosingTheImageAlreadyShownRedrawsNothing)
{
    TargetBuilder builder(kWidth, kHeight, 1);
    const std::vector<uint32_t> images = threeImages(builder);
    loadPage(builder, [&](auto& page) { writeDynamicImage(page, {images, 3, localTag(kValueTag)}); });
    project.render();
    ASSERT_TRUE(project.dirtyRectangles().empty());
    setTag(kValueTag, 3); // one past the last: image 0, already shown
    EXPECT_TRUE(project.dirtyRectangles().empty());
    setTag(kValueTag, 1);
    ASSERT_EQ(project.dirtyRectangles().size(), 1u);
    EXPECT_EQ(project.dirtyRectangles()[0], (DRect{0, 0, 3, 3}));
}

TEST_F(ImageWidgetsTest, StaticTextShowsItsTextPicture)
{
    TargetBuilder builder(kWidth, kHeight, 1);
    const uint32_t text = solidImage(builder, 0xFF123456);
    loadPage(builder, [&](auto& page) {
        writeStaticText(page, text, {0, 0, 4, 4}); // no frame picture
    });
    ASSERT_NE(widgetAs<DCompositeObject_StaticText>(0), nullptr);
    EXPECT_EQ(shown(0), text);
    project.render();
    EXPECT_EQ(pixel(2, 2), 0xFF123456u);
}

TEST_F(ImageWidgetsTest, StaticTextWithAFrameDrawsTheTextOverIt)
{
    TargetBuilder builder(kWidth, kHeight, 1);
    const uint32_t frame = solidImage(builder, 0xFF0000FF, 8, 8);
    const uint32_t text = solidImage(builder, 0xFFFFFFFF, 2, 2);
    loadPage(builder, [&](auto& page) {
        page.object(uint32_t(WidgetType::StaticText), [&](DRIFFFile& file) {
            writeRecord(file, StaticTextWords{frame, text});
            pictureElement(page, 0, 0, 2, 2);
            pictureElement(page, 0, 0, 8, 8);
        });
    });
    EXPECT_EQ(shown(0), text);
    EXPECT_EQ(shown(1), frame);
    project.render();
    EXPECT_EQ(pixel(1, 1), 0xFFFFFFFFu);
    EXPECT_EQ(pixel(5, 5), 0xFF0000FFu);
}

TEST_F(ImageWidgetsTest, MessageFieldChoosesItsMessageOverItsFrame)
{
    TargetBuilder builder(kWidth, kHeight, 1);
    const std::vector<uint32_t> messages = threeImages(builder);
    const uint32_t frame = solidImage(builder, 0xFF808080);
    loadPage(builder, [&](auto& page) {
        writeMessageField(page, {0, messages, 3, localTag(kValueTag)});
        writeMessageField(page, {frame, {}, 0, localTag(kValueTag)});
    });
    ASSERT_NE(widgetAs<DCompositeObject_MessageField>(0), nullptr);
    // Primitives: message of the first; message and frame of the second.
    EXPECT_EQ(shown(0), messages[0]);
    EXPECT_EQ(shown(2), frame);
    for (const ChoiceCase& c : kChoices) {
        if (c.type != kValueType32)
            continue;
        SCOPED_TRACE(c.value);
        setTag(kValueTag, c.value);
        EXPECT_EQ(shown(0), messages[std::size_t(c.image)]);
        EXPECT_EQ(shown(1), 0u);
        EXPECT_EQ(shown(2), frame);
    }
}

TEST_F(ImageWidgetsTest, IndicatorLightFollowsItsTag)
{
    TargetBuilder builder(kWidth, kHeight, 1);
    const std::vector<uint32_t> states = threeImages(builder);
    const uint32_t frame = solidImage(builder, 0xFF404040, 8, 8);
    const uint32_t icon = solidImage(builder, 0xFFFFFF00, 1, 1);
    const uint32_t text = solidImage(builder, 0xFFFFFFFF, 1, 1);
    loadPage(builder, [&](auto& page) {
        writeIndicatorLight(page, {frame, states, 3, localTag(kValueTag), icon, text});
        writeIndicatorLight(page, {frame, {}, 0, localTag(kValueTag)});
    });
    ASSERT_NE(widgetAs<DCompositeObject_IndicatorLight>(0), nullptr);
    // Primitives: text, icon, state, frame of the first; state, frame of the second.
    EXPECT_EQ(shown(0), text);
    EXPECT_EQ(shown(1), icon);
    EXPECT_EQ(shown(2), states[0]);
    EXPECT_EQ(shown(3), frame);
    EXPECT_EQ(shown(4), 0u);
    EXPECT_EQ(shown(5), frame);
    for (const ChoiceCase& c : kChoices) {
        SCOPED_TRACE(testing::Message() << c.value << " type " << c.type);
        if (c.type != kValueType32)
            continue;
        setTag(kValueTag, c.value);
        EXPECT_EQ(shown(2), states[std::size_t(c.image)]);
        EXPECT_EQ(shown(4), 0u); // N = 0: the state picture shows nothing
    }
    setTag(kValueTag, 1);
    project.render();
    EXPECT_EQ(pixel(0, 0), 0xFFFFFFFFu); // the text overlay on top
    EXPECT_EQ(pixel(2, 2), 0xFF00FF00u); // the state picture over the frame
    EXPECT_EQ(pixel(6, 6), 0xFF404040u);
}

TEST_F(ImageWidgetsTest, StaticImageWithoutAnImageShowsNothing)
{
    TargetBuilder builder(kWidth, kHeight, 1);
    const uint32_t image = solidImage(builder, 0xFF00FFFF);
    loadPage(builder, [&](auto& page) {
        writeStaticImage(page, image, {0, 0, 4, 4});
        writeStaticImage(page, kNoResource, {10, 10, 14, 14});
    });
    EXPECT_EQ(shown(0), image);
    EXPECT_EQ(picture(1)->bitmap(), nullptr);
    project.render();
    EXPECT_EQ(pixel(1, 1), 0xFF00FFFFu);
    EXPECT_EQ(pixel(11, 11), 0xFF000000u);
}

// Counts far beyond the record: each widget takes only what its record holds and loads
// without a large allocation; the rest of the page still loads.
TEST_F(ImageWidgetsTest, ImageCountsAreBoundedByTheRecord)
{
    for (const uint32_t count : {0xFFFFFFFFu, 0x40000000u, 0x10000u, 4u}) {
        SCOPED_TRACE(count);
        EventHarness run;
        TargetBuilder builder(kWidth, kHeight, 1);
        const uint32_t image = solidImage(builder, 0xFFFF0000);
        builder.page(uint32_t(PageType::Normal), -1, [&](auto& page) {
            writeDynamicImage(page, {{image, image}, count, localTag(kValueTag)});
            writeMessageField(page, {0, {image, image}, count, localTag(kValueTag)});
            writeIndicatorLight(page, {0, {image, image}, count, localTag(kValueTag)});
            // An indicator button whose class words end after its one indicator image.
            page.object(uint32_t(WidgetType::IndicatorButton), [&](DRIFFFile& file) {
                writeRecord(file, ButtonWords{});
                writeRecord(file, IndicatorImagesHead{count, 0});
                writeWord(file, image);
            });
            page.backgroundColour(0xFF000000, kWidth, kHeight);
        });
        ASSERT_EQ(run.load(builder.finish()), 0);
        const auto& widgets = run.project.currentPage()->widgets();
        ASSERT_EQ(widgets.size(), 5u);
        for (DCompositeObject* widget : widgets)
            EXPECT_NE(widget, nullptr);
        run.setTag(kValueTag, 1);
        run.project.render();
    }
}
