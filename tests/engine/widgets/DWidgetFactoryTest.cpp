#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <typeindex>
#include <typeinfo>
#include <vector>

#include "engine/primitives/DBaseObject.h"
#include "engine/widgets/DCompositeObject.h"
#include "engine/widgets/DCompositeObject_Bargraph.h"
#include "engine/widgets/DCompositeObject_Button.h"
#include "engine/widgets/DCompositeObject_DateTimeField.h"
#include "engine/widgets/DCompositeObject_DynamicImage.h"
#include "engine/widgets/DCompositeObject_DynamicListbox.h"
#include "engine/widgets/DCompositeObject_IndicatorButton.h"
#include "engine/widgets/DCompositeObject_IndicatorLight.h"
#include "engine/widgets/DCompositeObject_Knob.h"
#include "engine/widgets/DCompositeObject_Listbox.h"
#include "engine/widgets/DCompositeObject_MessageField.h"
#include "engine/widgets/DCompositeObject_Meter.h"
#include "engine/widgets/DCompositeObject_NumericField.h"
#include "engine/widgets/DCompositeObject_Rectangle.h"
#include "engine/widgets/DCompositeObject_Slider.h"
#include "engine/widgets/DCompositeObject_StaticImage.h"
#include "engine/widgets/DCompositeObject_StaticText.h"
#include "engine/widgets/DCompositeObject_TextField.h"
#include "engine/widgets/DCompositeObject_Ticker.h"
#include "engine/widgets/DCompositeObject_Timer.h"
#include "engine/widgets/DCompositeObject_Trend.h"
#include "engine/widgets/DCompositeObject_Trigger.h"
#include "tests/support/engine/EngineHarness.h"
#include "tests/support/engine/WidgetRecords.h"

using namespace target;
using vx::test::TargetBuilder;

namespace {

using Page = TargetBuilder::Page;

const DRect kArea{0, 0, 16, 16};
const TagReference kTag = TagReference::make(Controller::Local, 1, kValueType32, 4);

vx::test::FieldRecord field(WidgetType type)
{
    vx::test::FieldRecord record;
    record.type = type;
    record.tag = kTag;
    return record;
}

vx::test::ButtonRecord button(WidgetType type)
{
    vx::test::ButtonRecord record;
    record.type = type;
    record.area = kArea;
    record.indicatorArea = kArea;
    return record;
}

vx::test::ThumbWidgetRecord thumbWidget(WidgetType type)
{
    vx::test::ThumbWidgetRecord record;
    record.type = type;
    record.thumb = {0, 0, 4, 4};
    record.track = kArea;
    return record;
}

// One record of a widget type id, written as the editor lays it out.
struct Registered {
    WidgetType type;
    std::type_index kind;
    std::function<void(Page&)> write;
};

const Registered kRegistered[] = {
    {WidgetType::StaticImage, typeid(DCompositeObject_StaticImage),
     [](Page& page) { vx::test::writeStaticImage(page, 0, kArea); }},
    {WidgetType::StaticText, typeid(DCompositeObject_StaticText),
     [](Page& page) { vx::test::writeStaticText(page, 0, kArea); }},
    {WidgetType::NumericField, typeid(DCompositeObject_NumericField),
     [](Page& page) { vx::test::writeField(page, 0, field(WidgetType::NumericField)); }},
    {WidgetType::EditableNumericField, typeid(DCompositeObject_NumericField),
     [](Page& page) { vx::test::writeField(page, 0, field(WidgetType::EditableNumericField)); }},
    {WidgetType::TextField, typeid(DCompositeObject_TextField),
     [](Page& page) { vx::test::writeField(page, 0, field(WidgetType::TextField)); }},
    {WidgetType::EditableTextField, typeid(DCompositeObject_TextField),
     [](Page& page) { vx::test::writeField(page, 0, field(WidgetType::EditableTextField)); }},
    {WidgetType::DateTimeField, typeid(DCompositeObject_DateTimeField),
     [](Page& page) { vx::test::writeField(page, 0, field(WidgetType::DateTimeField)); }},
    {WidgetType::MessageField, typeid(DCompositeObject_MessageField),
     [](Page& page) { vx::test::writeMessageField(page, {0, {}, 0, kTag, kArea}); }},
    {WidgetType::DynamicImage, typeid(DCompositeObject_DynamicImage),
     [](Page& page) { vx::test::writeDynamicImage(page, {{}, 0, kTag, kArea}); }},
    {WidgetType::IndicatorLight, typeid(DCompositeObject_IndicatorLight),
     [](Page& page) { vx::test::writeIndicatorLight(page, {}); }},
    {WidgetType::IndicatorButton, typeid(DCompositeObject_IndicatorButton),
     [](Page& page) { vx::test::writeButton(page, button(WidgetType::IndicatorButton)); }},
    {WidgetType::ImageBar, typeid(DCompositeObject_Bargraph),
     [](Page& page) { vx::test::writeBarGraph(page, {WidgetType::ImageBar, {}, kTag, kArea}); }},
    {WidgetType::ColorBar, typeid(DCompositeObject_Bargraph),
     [](Page& page) { vx::test::writeBarGraph(page, {WidgetType::ColorBar, {}, kTag, kArea}); }},
    {WidgetType::Meter, typeid(DCompositeObject_Meter),
     [](Page& page) { vx::test::writeMeter(page, {{}, kTag, 1, ElementKind::SolidTriangle, kArea}); }},
    {WidgetType::Trend, typeid(DCompositeObject_Trend),
     [](Page& page) { vx::test::writeTrend(page, {{}, kTag, kArea, kArea}); }},
    {WidgetType::Ticker, typeid(DCompositeObject_Ticker),
     [](Page& page) { vx::test::writeTicker(page, {1, 100, 0, 0, ScrollingWords::kModeScrolling, kArea}); }},
    {WidgetType::Button, typeid(DCompositeObject_Button),
     [](Page& page) { vx::test::writeButton(page, button(WidgetType::Button)); }},
    {WidgetType::Slider, typeid(DCompositeObject_Slider),
     [](Page& page) { vx::test::writeThumbWidget(page, thumbWidget(WidgetType::Slider)); }},
    {WidgetType::Knob, typeid(DCompositeObject_Knob),
     [](Page& page) { vx::test::writeThumbWidget(page, thumbWidget(WidgetType::Knob)); }},
    {WidgetType::Listbox, typeid(DCompositeObject_Listbox),
     [](Page& page) {
         vx::test::ListboxRecord box;
         box.list.area = kArea;
         box.list.rowHeight = 4;
         vx::test::writeListbox(page, box);
     }},
    {WidgetType::DynamicListbox, typeid(DCompositeObject_DynamicListbox),
     [](Page& page) {
         vx::test::DynamicListboxRecord box;
         box.list.area = kArea;
         box.list.rowHeight = 4;
         vx::test::writeDynamicListbox(page, box);
     }},
    {WidgetType::Trigger, typeid(DCompositeObject_Trigger), [](Page& page) { vx::test::writeTrigger(page, kTag); }},
    {WidgetType::Timer, typeid(DCompositeObject_Timer), [](Page& page) { vx::test::writeTimer(page, {}); }},
    {WidgetType::Rectangle, typeid(DCompositeObject_Rectangle),
     [](Page& page) { vx::test::writeRectangle(page, 0xFF102030, kArea); }},
};

class WidgetFactoryTest : public testing::Test, public EngineHarness<64, 64, 2> {};

} // namespace

TEST_F(WidgetFactoryTest, EveryRegisteredTypeIdGetsItsClass)
{
    TargetBuilder builder(kWidth, kHeight, 1);
    builder.page(uint32_t(PageType::Normal), -1, [](Page& page) {
        for (const Registered& row : kRegistered)
            row.write(page);
    });
    ASSERT_EQ(load(builder.finish(), {kWidth, kHeight}), 0);
    const auto& widgets = project.currentPage()->widgets();
    ASSERT_EQ(widgets.size(), std::size(kRegistered));
    for (std::size_t number = 0; number < widgets.size(); ++number) {
        const Registered& row = kRegistered[number];
        SCOPED_TRACE(testing::Message() << "record " << number << ", type id " << uint32_t(row.type));
        ASSERT_NE(widgets[number], nullptr);
        EXPECT_STREQ(typeid(*widgets[number]).name(), row.kind.name());
        EXPECT_EQ(widgets[number]->typeId(), uint32_t(row.type));
        EXPECT_EQ(widgets[number]->index(), int32_t(number));
    }
    project.render(); // every kind draws its first frame
}

TEST(WidgetFactoryTable, HoldsEveryIdThatMakesAWidget)
{
    for (uint32_t id = 0; id < 64; ++id) {
        const std::unique_ptr<DCompositeObject> widget(DCompositeObject::create(id, nullptr));
        const bool listed = std::any_of(std::begin(kRegistered), std::end(kRegistered),
                                        [&](const Registered& row) { return uint32_t(row.type) == id; });
        EXPECT_EQ(widget != nullptr, listed) << "type id " << id;
    }
}

// Ids without a class, each in front of a registered record: the record keeps a null
// widget in its place and every other record keeps its number.
TEST_F(WidgetFactoryTest, UnregisteredTypeIdsKeepTheNumbersOfTheRest)
{
    const uint32_t unregistered[] = {0, uint32_t(WidgetType::Window), uint32_t(WidgetType::Semaphore), 27, 28, 29,
                                     0xFFFFFFFF};
    TargetBuilder builder(kWidth, kHeight, 1);
    builder.page(uint32_t(PageType::Normal), -1, [&](Page& page) {
        for (std::size_t i = 0; i < std::size(kRegistered); ++i) {
            if (i < std::size(unregistered))
                // Class words that would read as a rectangle over the page.
                page.object(unregistered[i], [&](DRIFFFile& file) {
                    writeRecord(file, RectangleWords{0xFFFF0000});
                    page.element(ElementKind::SolidRect, 0, 0, kWidth, kHeight, kElementFlagVisible);
                });
            kRegistered[i].write(page);
        }
    });
    ASSERT_EQ(load(builder.finish(), {kWidth, kHeight}), 0);
    const auto& widgets = project.currentPage()->widgets();
    ASSERT_EQ(widgets.size(), std::size(kRegistered) + std::size(unregistered));
    std::size_t number = 0;
    for (std::size_t i = 0; i < std::size(kRegistered); ++i) {
        if (i < std::size(unregistered)) {
            SCOPED_TRACE(testing::Message() << "record " << number << ", type id " << unregistered[i]);
            EXPECT_EQ(widgets[number], nullptr);
            ++number;
        }
        SCOPED_TRACE(testing::Message() << "record " << number << ", type id " << uint32_t(kRegistered[i].type));
        ASSERT_NE(widgets[number], nullptr);
        EXPECT_STREQ(typeid(*widgets[number]).name(), kRegistered[i].kind.name());
        EXPECT_EQ(widgets[number]->index(), int32_t(number));
        ++number;
    }
    // None of the skipped records' primitives is on the page.
    for (const DBaseObject* primitive : project.currentPage()->primitives())
        EXPECT_NE(primitive->bounds(), (DRect{0, 0, kWidth - 1, kHeight - 1}));
}
