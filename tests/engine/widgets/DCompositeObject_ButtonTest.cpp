#include <gtest/gtest.h>

#include "engine/widgets/DCompositeObject_Button.h"
#include "engine/widgets/DCompositeObject_IndicatorButton.h"
#include "tests/support/engine/WidgetFixture.h"
#include "tests/support/engine/WidgetRecords.h"

using namespace target;
using namespace widgettest;
using vx::test::TargetBuilder;

namespace {

constexpr uint32_t kStateTag = 1, kEnableTag = 2, kIndicatorTag = 3, kSecondStateTag = 4;
constexpr uint32_t kTouchDown = 1, kTouchUp = 2, kTouchHold = 3, kPress = 4, kRelease = 5;

using Faces = vx::test::ButtonFaces;

struct ButtonSpec {
    uint32_t mode = DCompositeObject_Button::Momentary;
    Faces faces;
    TagReference state = localTag(kStateTag);
    TagReference enable = TagReference::none();
    int32_t left = 0, top = 0, right = 20, bottom = 20;
    uint32_t faceFlags = kElementFlagVisible | kElementFlagTouchable;
    // Indicator buttons only.
    std::vector<uint32_t> indicators;
    TagReference indicatorTag = localTag(kIndicatorTag);
};

// The button's record with the indicator in its top right corner; every event counted.
void button(TargetBuilder::Page& page, const ButtonSpec& spec, uint32_t type = uint32_t(WidgetType::Button))
{
    vx::test::ButtonRecord record;
    record.type = WidgetType(type);
    record.mode = spec.mode;
    record.faces = spec.faces;
    record.state = spec.state;
    record.enable = spec.enable;
    record.area = {spec.left, spec.top, spec.right, spec.bottom};
    record.faceFlags = spec.faceFlags;
    record.indicators = spec.indicators;
    record.indicatorTag = spec.indicatorTag;
    record.indicatorArea = {spec.right - 4, spec.top, spec.right, spec.top + 4};
    vx::test::writeButton(page, record, countEvents({kTouchDown, kTouchUp, kTouchHold, kPress, kRelease}));
}

Faces fiveFaces(TargetBuilder& builder)
{
    Faces f;
    f.released = solidImage(builder, 0xFF000010, 20, 20);
    f.pressed = solidImage(builder, 0xFF000020, 20, 20);
    f.latched = solidImage(builder, 0xFF000030, 20, 20);
    f.focused = solidImage(builder, 0xFF000040, 20, 20);
    f.latchedFocused = solidImage(builder, 0xFF000050, 20, 20);
    return f;
}

class ButtonHarness : public EventHarness {
public:
    // One page with the buttons over a black background; face i is primitive faceIndex.
    void loadButtons(const std::function<void(TargetBuilder&, std::vector<ButtonSpec>&)>& make,
                     uint32_t type = uint32_t(WidgetType::Button))
    {
        TargetBuilder builder(kWidth, kHeight, 1);
        std::vector<ButtonSpec> specs;
        make(builder, specs);
        faces = specs.front().faces;
        builder.page(uint32_t(PageType::Normal), -1, [&](auto& page) {
            for (const ButtonSpec& spec : specs)
                button(page, spec, type);
            page.backgroundColour(0xFF000000, kWidth, kHeight);
        });
        ASSERT_EQ(load(builder.finish()), 0);
    }
    // One button of the five faces, its spec as adjust leaves it.
    void loadButton(const std::function<void(ButtonSpec&, TargetBuilder&)>& adjust = {})
    {
        loadButtons([&](TargetBuilder& builder, std::vector<ButtonSpec>& specs) {
            ButtonSpec spec;
            spec.faces = fiveFaces(builder);
            if (adjust)
                adjust(spec, builder);
            specs.push_back(spec);
        });
    }
    DCompositeObject_Button* first() { return widgetAs<DCompositeObject_Button>(0); }
    uint32_t face() { return shown(faceIndex); }
    void click(DPoint point = {5, 5})
    {
        project.onPointerDown(point);
        settle();
        project.onPointerUp(point);
        settle();
    }

    Faces faces;
    std::size_t faceIndex = 0; // without decorations the face is the first primitive
};

class ButtonTest : public testing::Test, public ButtonHarness {};

enum class Step { Down, Up };

struct SequenceCase {
    const char* name;
    uint32_t mode;
    struct Expect {
        Step step;
        uint32_t Faces::*face;
        int32_t state;
        int32_t presses, releases, touchDowns, touchUps;
    };
    std::vector<Expect> steps;
};

const SequenceCase kSequences[] = {
    {"momentary",
     DCompositeObject_Button::Momentary,
     {{Step::Down, &Faces::pressed, 1, 1, 0, 1, 0},
      {Step::Up, &Faces::released, 0, 1, 1, 1, 1},
      {Step::Down, &Faces::pressed, 1, 2, 1, 2, 1},
      {Step::Up, &Faces::released, 0, 2, 2, 2, 2}}},
    {"slide-on",
     DCompositeObject_Button::SlideOn,
     {{Step::Down, &Faces::pressed, 1, 1, 0, 1, 0}, {Step::Up, &Faces::released, 0, 1, 1, 1, 1}}},
    {"unknown mode is momentary", 7, {{Step::Down, &Faces::pressed, 1, 1, 0, 1, 0}, {Step::Up, &Faces::released, 0, 1, 1, 1, 1}}},
    {"latching",
     DCompositeObject_Button::Latching,
     {{Step::Down, &Faces::pressed, 1, 1, 0, 1, 0},
      {Step::Up, &Faces::latched, 1, 1, 0, 1, 1},   // latches: no release
      {Step::Down, &Faces::pressed, 1, 1, 0, 2, 1}, // already latched: no press
      {Step::Up, &Faces::released, 0, 1, 1, 2, 2}}},
};

} // namespace

TEST_F(ButtonTest, PointerSequencesWriteTheStateTagAndChooseTheFace)
{
    for (const SequenceCase& sequence : kSequences) {
        SCOPED_TRACE(sequence.name);
        ButtonHarness run; // each case on a project of its own
        run.loadButton([&](ButtonSpec& spec, TargetBuilder&) {
            spec.mode = sequence.mode;
        });
        DCompositeObject_Button* target = run.first();
        ASSERT_NE(target, nullptr);
        EXPECT_EQ(target->slidesOn(), sequence.mode == DCompositeObject_Button::SlideOn);
        EXPECT_EQ(run.face(), run.faces.released);
        int number = 0;
        for (const auto& expect : sequence.steps) {
            SCOPED_TRACE(number++);
            if (expect.step == Step::Down)
                run.project.onPointerDown({5, 5});
            else
                run.project.onPointerUp({5, 5});
            run.settle();
            EXPECT_EQ(run.face(), run.faces.*expect.face);
            EXPECT_EQ(run.tag(kStateTag), expect.state);
            EXPECT_EQ(run.events(kPress), expect.presses);
            EXPECT_EQ(run.events(kRelease), expect.releases);
            EXPECT_EQ(run.events(kTouchDown), expect.touchDowns);
            EXPECT_EQ(run.events(kTouchUp), expect.touchUps);
        }
    }
}

TEST_F(ButtonTest, FacePicturesAreDrawn)
{
    loadButton();
    project.render();
    EXPECT_EQ(pixel(5, 5), 0xFF000010u);
    EXPECT_EQ(pixel(30, 30), 0xFF000000u);
    project.onPointerDown({5, 5});
    project.render();
    EXPECT_EQ(pixel(5, 5), 0xFF000020u);
    EXPECT_EQ(pixel(19, 19), 0xFF000020u);
    EXPECT_EQ(pixel(20, 20), 0xFF000000u);
}

TEST_F(ButtonTest, LatchedFaceFallsBackToThePressedPicture)
{
    loadButton([](ButtonSpec& spec, TargetBuilder&) {
        spec.mode = DCompositeObject_Button::Latching;
        spec.faces.latched = 0;
    });
    click();
    EXPECT_TRUE(first()->isLatched());
    EXPECT_EQ(face(), faces.pressed);
}

TEST_F(ButtonTest, StateTagDrivesTheButton)
{
    struct Case {
        uint32_t mode;
        uint32_t Faces::*whenSet;
        bool pressed, latched;
    };
    for (const Case& c : {Case{DCompositeObject_Button::Momentary, &Faces::released, false, false},
                          Case{DCompositeObject_Button::SlideOn, &Faces::pressed, true, false},
                          Case{DCompositeObject_Button::Latching, &Faces::latched, false, true}}) {
        SCOPED_TRACE(c.mode);
        ButtonHarness run;
        run.loadButton([&](ButtonSpec& spec, TargetBuilder&) {
            spec.mode = c.mode;
        });
        run.setTag(kStateTag, 1);
        EXPECT_EQ(run.face(), run.faces.*c.whenSet);
        EXPECT_EQ(run.first()->isPressed(), c.pressed);
        EXPECT_EQ(run.first()->isLatched(), c.latched);
        run.setTag(kStateTag, 5); // another non-zero value
        EXPECT_EQ(run.events(kPress), c.mode == DCompositeObject_Button::Momentary ? 2 : 1);
        run.setTag(kStateTag, 0);
        EXPECT_EQ(run.face(), run.faces.released);
        EXPECT_FALSE(run.first()->isPressed());
        EXPECT_FALSE(run.first()->isLatched());
        EXPECT_EQ(run.events(kRelease), c.mode == DCompositeObject_Button::Momentary ? 0 : 1);
    }
}

TEST_F(ButtonTest, SixteenBitStateTagIsWrittenAndRead)
{
    loadButton([](ButtonSpec& spec, TargetBuilder&) {
        spec.mode = DCompositeObject_Button::Latching;
        spec.state = localTag(kStateTag, kValueType16);
    });
    click();
    EXPECT_EQ(item(kStateTag, kValueType16)->value().shownNumber(), 1);
    EXPECT_TRUE(first()->isLatched());
    setTag(kStateTag, 0, kValueType16);
    EXPECT_FALSE(first()->isLatched());
}

TEST_F(ButtonTest, DisabledButtonIgnoresThePointerButNotTouchHold)
{
    loadButton([](ButtonSpec& spec, TargetBuilder&) {
        spec.enable = localTag(kEnableTag);
    });
    setTag(kEnableTag, 0);
    EXPECT_TRUE(first()->isDisabled());
    project.onPointerDown({5, 5});
    settle();
    EXPECT_EQ(face(), faces.released);
    EXPECT_EQ(tag(kStateTag), 0);
    first()->onPointerHold({5, 5});
    project.onPointerUp({5, 5});
    settle();
    EXPECT_EQ(events(kPress) + events(kRelease) + events(kTouchDown) + events(kTouchUp), 0);
    EXPECT_EQ(events(kTouchHold), 1);
    setTag(kEnableTag, 1);
    EXPECT_FALSE(first()->isDisabled());
    project.onPointerDown({5, 5});
    settle();
    EXPECT_EQ(tag(kStateTag), 1);
}

TEST_F(ButtonTest, PressTakenBeforeDisablingIsStillReleased)
{
    loadButton([](ButtonSpec& spec, TargetBuilder&) {
        spec.enable = localTag(kEnableTag);
    });
    setTag(kEnableTag, 1);
    project.onPointerDown({5, 5});
    settle();
    EXPECT_EQ(tag(kStateTag), 1);
    setTag(kEnableTag, 0);
    project.onPointerUp({5, 5});
    settle();
    EXPECT_EQ(tag(kStateTag), 0);
    EXPECT_EQ(face(), faces.released);
    // Still disabled for new presses.
    project.onPointerDown({5, 5});
    settle();
    EXPECT_EQ(tag(kStateTag), 0);
}

TEST_F(ButtonTest, FocusShowsOnTheFaceOnlyWithFocusTracking)
{
    for (const bool tracking : {true, false}) {
        SCOPED_TRACE(tracking);
        ButtonHarness run;
        run.loadButton([&](ButtonSpec& spec, TargetBuilder&) {
            spec.mode = DCompositeObject_Button::Latching;
            if (tracking)
                spec.faceFlags |= kElementFlagFocusTracking;
        });
        DCompositeObject_Button* target = run.first();
        EXPECT_EQ(target->setFocus(1), 1); // every button takes the focus
        EXPECT_EQ(run.face(), tracking ? run.faces.focused : run.faces.released);
        run.click();
        EXPECT_EQ(run.face(), tracking ? run.faces.latchedFocused : run.faces.latched);
        (void)target->setFocus(0);
        EXPECT_EQ(run.face(), run.faces.latched);
    }
}

TEST_F(ButtonTest, LatchedAndFocusedWithoutItsPictureShowsTheFocusedOne)
{
    loadButton([](ButtonSpec& spec, TargetBuilder&) {
        spec.mode = DCompositeObject_Button::Latching;
        spec.faces.latchedFocused = 0;
        spec.faceFlags |= kElementFlagFocusTracking;
    });
    click(); // the press also gives it the focus
    EXPECT_EQ(project.currentPage()->focusIndex(), 0);
    EXPECT_EQ(face(), faces.focused);
}

TEST_F(ButtonTest, SlidingTheHeldPointerPressesSlideOnButtons)
{
    loadButtons([](TargetBuilder& builder, std::vector<ButtonSpec>& specs) {
        const Faces f = fiveFaces(builder);
        for (const auto& [mode, left, tagAddress] :
             {std::tuple{DCompositeObject_Button::SlideOn, 0, kStateTag},
              std::tuple{DCompositeObject_Button::SlideOn, 20, kSecondStateTag},
              std::tuple{DCompositeObject_Button::Momentary, 40, kEnableTag}}) {
            ButtonSpec spec;
            spec.mode = mode;
            spec.faces = f;
            spec.left = left;
            spec.right = left + 20;
            spec.state = localTag(tagAddress);
            specs.push_back(spec);
        }
    });
    auto* a = widgetAs<DCompositeObject_Button>(0);
    auto* b = widgetAs<DCompositeObject_Button>(1);
    auto* c = widgetAs<DCompositeObject_Button>(2);
    project.onPointerDown({5, 5});
    settle();
    ASSERT_TRUE(a->isPressed());
    project.onPointerMove({25, 5});
    settle();
    EXPECT_FALSE(a->isPressed());
    EXPECT_TRUE(b->isPressed());
    EXPECT_EQ(tag(kStateTag), 0);
    EXPECT_EQ(tag(kSecondStateTag), 1);
    project.onPointerMove({45, 5}); // a momentary button of mode 0 is not slid onto
    settle();
    EXPECT_TRUE(b->isPressed());
    EXPECT_FALSE(c->isPressed());
    project.onPointerMove({25, 5});
    project.onPointerUp({25, 5});
    settle();
    EXPECT_FALSE(b->isPressed());
    EXPECT_EQ(tag(kSecondStateTag), 0);
    // The slide fires press and release, never touch-down or touch-up, on the way.
    EXPECT_EQ(events(kPress), 2);     // a, then b
    EXPECT_EQ(events(kRelease), 2);   // a on the slide, b at the end
    EXPECT_EQ(events(kTouchDown), 1); // a's press only
    EXPECT_EQ(events(kTouchUp), 1);   // b's final release only
}

TEST_F(ButtonTest, ShowingThePageAgainComesBackReleasedUntilTheTagLatchesIt)
{
    TargetBuilder builder(kWidth, kHeight, 2);
    ButtonSpec spec;
    spec.mode = DCompositeObject_Button::Latching;
    spec.faces = fiveFaces(builder);
    builder.page(uint32_t(PageType::Normal), -1, [&](auto& page) {
        button(page, spec);
        page.backgroundColour(0xFF000000, kWidth, kHeight);
    });
    builder.page(uint32_t(PageType::Normal), -1, [](auto& page) { page.backgroundColour(0xFF000000, kWidth, kHeight); });
    ASSERT_EQ(load(builder.finish()), 0);
    faces = spec.faces;
    click();
    ASSERT_TRUE(first()->isLatched());
    project.showPage(1, DProject::Jump::Absolute);
    project.showPage(0, DProject::Jump::Absolute);
    // The page change tells every item's observers: the tag still holds 1.
    EXPECT_TRUE(first()->isLatched());
    EXPECT_EQ(face(), faces.latched);
    setTag(kStateTag, 0);
    project.showPage(1, DProject::Jump::Absolute);
    project.showPage(0, DProject::Jump::Absolute);
    EXPECT_FALSE(first()->isLatched());
    EXPECT_EQ(face(), faces.released);
}

TEST_F(ButtonTest, DecorationsShowTheirPictures)
{
    loadButton([](ButtonSpec& spec, TargetBuilder& builder) {
        spec.faces.decoration1 = solidImage(builder, 0xFF00FF00, 2, 2);
        spec.faces.decoration2 = solidImage(builder, 0xFFFF0000, 1, 1);
    });
    faceIndex = 2;
    EXPECT_EQ(shown(0), faces.decoration2);
    EXPECT_EQ(shown(1), faces.decoration1);
    EXPECT_EQ(face(), faces.released);
    project.render();
    EXPECT_EQ(pixel(0, 0), 0xFFFF0000u); // the text picture lies on top
    EXPECT_EQ(pixel(1, 1), 0xFF00FF00u);
    EXPECT_EQ(pixel(3, 3), 0xFF000010u);
}

TEST_F(ButtonTest, IndicatorFollowsItsTagAndTheButtonStillWorks)
{
    TargetBuilder builder(kWidth, kHeight, 1);
    ButtonSpec spec;
    spec.faces = fiveFaces(builder);
    spec.indicators = {solidImage(builder, 0xFFFF0000), solidImage(builder, 0xFF00FF00), solidImage(builder, 0xFF0000FF)};
    ButtonSpec empty = spec;
    empty.indicators.clear();
    empty.left = 30;
    empty.right = 50;
    empty.indicatorTag = localTag(kIndicatorTag);
    empty.state = localTag(kSecondStateTag);
    builder.page(uint32_t(PageType::Normal), -1, [&](auto& page) {
        button(page, spec, uint32_t(WidgetType::IndicatorButton));
        button(page, empty, uint32_t(WidgetType::IndicatorButton));
        page.backgroundColour(0xFF000000, kWidth, kHeight);
    });
    ASSERT_EQ(load(builder.finish()), 0);
    faces = spec.faces;
    // Primitives: indicator, face of the first; indicator, face of the second.
    ASSERT_NE(widgetAs<DCompositeObject_IndicatorButton>(0), nullptr);
    EXPECT_EQ(shown(0), spec.indicators[0]);
    EXPECT_EQ(shown(2), 0u);
    struct Case {
        int32_t value;
        std::size_t image;
    };
    for (const Case& c : {Case{2, 2}, Case{1, 1}, Case{3, 0}, Case{2, 2}, Case{-1, 0}, Case{0, 0}}) {
        SCOPED_TRACE(c.value);
        setTag(kIndicatorTag, c.value);
        EXPECT_EQ(shown(0), spec.indicators[c.image]);
        EXPECT_EQ(shown(2), 0u); // N = 0 shows nothing, whatever the value
    }
    faceIndex = 1;
    click();
    EXPECT_EQ(face(), faces.released);
    EXPECT_EQ(tag(kStateTag), 0);
    project.onPointerDown({5, 5});
    settle();
    EXPECT_EQ(face(), faces.pressed);
    EXPECT_EQ(tag(kStateTag), 1);
    project.render();
    EXPECT_EQ(pixel(17, 1), 0xFFFF0000u); // the indicator over the pressed face
    EXPECT_EQ(pixel(5, 5), 0xFF000020u);
}

TEST_F(ButtonTest, AnIndicatorValueThatKeepsThePictureRedrawsNothing)
{
    TargetBuilder builder(kWidth, kHeight, 1);
    ButtonSpec spec;
    spec.faces = fiveFaces(builder);
    spec.indicators = {solidImage(builder, 0xFFFF0000), solidImage(builder, 0xFF00FF00)};
    builder.page(uint32_t(PageType::Normal), -1, [&](auto& page) {
        button(page, spec, uint32_t(WidgetType::IndicatorButton));
        page.backgroundColour(0xFF000000, kWidth, kHeight);
    });
    ASSERT_EQ(load(builder.finish()), 0);
    project.render();
    setTag(kIndicatorTag, 7); // out of range: image 0, already shown
    EXPECT_TRUE(project.dirtyRectangles().empty());
    setTag(kIndicatorTag, 1);
    EXPECT_FALSE(project.dirtyRectangles().empty());
}
