// The sample panel run as VX-Engine runs it: the file read from disk by the application,
// its window on the offscreen platform, clicks, drags and keys sent to the window, frames
// stepped on a clock the test moves.
#include <gtest/gtest.h>

#include <QImage>
#include <QMouseEvent>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <variant>
#include <vector>

#include "engine/core/DApplication.h"
#include "engine/primitives/DBaseObject_UnscaledBitmap.h"
#include "engine/widgets/DCompositeObject_Slider.h"
#include "engine/core/DPage.h"
#include "engine/render/DRendererComposed.h"
#include "engine/posix/DPlatform_posix.h"
#include "engine/qt/DDisplay_Qt.h"
#include "foundation/TextHelpers.h"
#include "foundation/target/TargetPage.h"
#include "tests/support/SampleTarget.h"
#include "tests/support/engine/KeptPart.h"
#include "tests/support/TestEnvironment.h"

using namespace vx::test;
using target::TagReference;

namespace {

using A = SampleAreas;
using T = SampleTags;
using W = SampleWidgets;

class SteppedPlatform : public DPlatform_posix {
public:
    uint32_t ticks() override { return now; }
    void sleep(uint32_t milliseconds) override { now += milliseconds; }
    uint32_t now = 1;
};

class SampleParts : public DEngineParts {
public:
    std::unique_ptr<DPlatform> createPlatform() override { return vx::test::keep(platform); }
    std::unique_ptr<DDisplay> createDisplay() override
    {
        auto made = vx::test::keep(display);
        made->setRendererFactory([](DPresentTarget& window) { return std::make_unique<DRendererComposed>(window); });
        return made;
    }
    SteppedPlatform* platform = nullptr;
    DDisplay_Qt* display = nullptr;
};

const std::vector<uint8_t>& sampleBytes()
{
    static const std::vector<uint8_t> bytes = SampleTarget::build();
    return bytes;
}

using Text = std::u16string;
using Value = std::variant<int32_t, Text>;

// One engine over the sample file, as the program starts it (no size on the command line).
class SampleEngine {
public:
    SampleEngine()
    {
        const std::vector<uint8_t>& bytes = sampleBytes();
        EXPECT_FALSE(bytes.empty());
        writeFile(m_dir / "sample.ddd", std::string(bytes.begin(), bytes.end()));
        m_loaded = application.init(0, 0) == 0;
        if (!m_loaded)
            return;
        const DString path(utf8ToWide((m_dir / "sample.ddd").string()));
        parts.platform->setProjectPath(path);
        m_loaded = project().load(path) == 0;
        if (m_loaded)
            frames(2); // the start values reach the tags, the next frame draws them
    }

    bool loaded() const { return m_loaded; }
    DProject& project() { return *application.project(); }
    DEngineCanvas* canvas() { return parts.display->window()->canvas(); }

    // One pass of the program's loop after ms milliseconds.
    void frame(uint32_t ms = 20)
    {
        parts.platform->now += ms;
        (void)parts.display->processMessages();
        application.tick();
    }
    void frames(int count, uint32_t ms = 20)
    {
        for (int i = 0; i < count; ++i)
            frame(ms);
    }
    // Time passing frame by frame.
    void runFor(uint32_t ms)
    {
        for (uint32_t passed = 0; passed < ms; passed += 20)
            frame(20);
    }

    // The tags dialog's view of the tag memory.
    uint8_t* memory(const TagReference& tag) { return application.memoryController()->image() + tag.address(); }
    int32_t number(const TagReference& tag)
    {
        const uint8_t* bytes = memory(tag);
        return int32_t(uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
                       uint32_t(bytes[3]) << 24);
    }
    Text text(const TagReference& tag)
    {
        const uint8_t* bytes = memory(tag);
        Text result;
        for (uint32_t i = 0; i + 1 < tag.valueSize(); i += 2) {
            const char16_t unit = char16_t(bytes[i] | bytes[i + 1] << 8);
            if (unit == 0)
                break;
            result.push_back(unit);
        }
        return result;
    }
    Value value(const TagReference& tag)
    {
        if (tag.isString())
            return text(tag);
        return number(tag);
    }
    // Writes into the tag memory as the tags dialog does; the next frame tells the widgets.
    void set(const TagReference& tag, const Value& value)
    {
        uint8_t* bytes = memory(tag);
        if (const auto* n = std::get_if<int32_t>(&value)) {
            for (int i = 0; i < 4; ++i)
                bytes[i] = uint8_t(uint32_t(*n) >> (8 * i));
            return;
        }
        const Text& units = std::get<Text>(value);
        for (uint32_t i = 0; i < tag.valueSize(); ++i)
            bytes[i] = 0;
        for (std::size_t i = 0; i < units.size() && 2 * i + 1 < tag.valueSize(); ++i) {
            bytes[2 * i] = uint8_t(units[i]);
            bytes[2 * i + 1] = uint8_t(units[i] >> 8);
        }
    }

    // What the window shows.
    QImage picture(const SampleArea& area)
    {
        return canvas()->image().copy(area.left, area.top, area.width(), area.height());
    }
    QRgb pixel(DPoint point) { return canvas()->image().pixel(point.x, point.y); }

    void press(DPoint point) { QTest::mousePress(canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(point.x, point.y)); }
    void release(DPoint point)
    {
        QTest::mouseRelease(canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(point.x, point.y));
    }
    void move(DPoint point)
    {
        QMouseEvent event(QEvent::MouseMove, QPointF(point.x, point.y), QPointF(point.x, point.y), Qt::NoButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(canvas(), &event);
    }
    void click(DPoint point)
    {
        press(point);
        frame();
        release(point);
        frame();
    }
    // Pressed at one point, moved to the other in steps with a frame after each, released.
    void drag(DPoint from, DPoint to, int steps = 8)
    {
        press(from);
        frame();
        for (int i = 1; i <= steps; ++i) {
            move({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
            frame();
        }
        release(to);
        frame();
    }
    void key(Qt::Key code, int times = 1)
    {
        for (int i = 0; i < times; ++i) {
            QTest::keyClick(canvas(), code);
            frame();
        }
    }
    void type(const QString& characters)
    {
        QTest::keyClicks(canvas(), characters);
        frame();
    }
    int32_t focus() { return project().focusPage() ? project().focusPage()->focusIndex() : -1; }
    // Where the slider's thumb is now.
    DPoint sliderThumb()
    {
        auto* slider = dynamic_cast<DCompositeObject_Slider*>(project().currentPage()->widgets().at(W::Slider));
        EXPECT_NE(slider, nullptr);
        const DRect bounds = slider ? slider->thumb()->bounds() : DRect{};
        return {(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
    }

    SampleParts parts;
    DApplication application{parts, {}};

private:
    TempDir m_dir;
    bool m_loaded = false;
};

} // namespace

TEST(SampleTarget, StartPageShowsItsStartValues)
{
    SampleEngine engine;
    ASSERT_TRUE(engine.loaded());
    EXPECT_EQ(engine.project().currentIndex(), 0);
    EXPECT_EQ(engine.canvas()->size(), QSize(A::kWidth, A::kHeight)); // the page size resizes the window
    EXPECT_EQ(engine.pixel({2, 470}), SampleColours::background);
    EXPECT_EQ(engine.pixel(A::rectangle.centre()), SampleColours::rectangle);
    EXPECT_EQ(engine.number(T::meter), SampleStart::meter);
    EXPECT_EQ(engine.text(T::dynamicListItems), Text(SampleStart::dynamicListItems));
    EXPECT_EQ(engine.focus(), W::NextPageButton);
    // Every widget kind the factory builds is on the page.
    std::vector<uint32_t> types;
    for (DCompositeObject* widget : engine.project().currentPage()->widgets())
        if (widget)
            types.push_back(widget->typeId());
    for (uint32_t type = 1; type <= 26; ++type) {
        if (type == uint32_t(target::WidgetType::Window) || type == uint32_t(target::WidgetType::Semaphore))
            continue;
        EXPECT_NE(std::find(types.begin(), types.end(), type), types.end()) << "no widget of type " << type;
    }
}

TEST(SampleTarget, OnReleaseIncrementsTheTagOnceAndShowsPageTwo)
{
    SampleEngine engine;
    ASSERT_TRUE(engine.loaded());
    const DPoint button = A::nextPageButton.centre();
    engine.press(button);
    engine.frames(3);
    EXPECT_EQ(engine.number(T::buttonState), 1);
    EXPECT_EQ(engine.number(T::releaseCount), 0); // pressing alone counts nothing
    EXPECT_EQ(engine.project().currentIndex(), 0);

    engine.release(button);
    EXPECT_EQ(engine.project().currentIndex(), 0); // the page changes after the frame is drawn
    engine.frames(3);
    EXPECT_EQ(engine.project().currentIndex(), 1);
    EXPECT_EQ(engine.number(T::releaseCount), 1);
    EXPECT_EQ(engine.number(T::buttonState), 0);
    EXPECT_EQ(engine.pixel({2, 470}), SampleColours::secondBackground);

    // Back to the start page: the count stays, the button is there again.
    engine.click(A::backButton.centre());
    engine.frames(3);
    EXPECT_EQ(engine.project().currentIndex(), 0);
    EXPECT_EQ(engine.number(T::releaseCount), 1);
    EXPECT_EQ(engine.pixel({2, 470}), SampleColours::background);
}

namespace {

struct InputCase {
    const char* name;
    std::function<void(SampleEngine&)> act;
    TagReference tag;
    Value expected;
    SampleArea shows; // its pixels change
};

const DPoint kSliderStart = A::sliderTrack.at(A::kSliderMargin, A::sliderTrack.height() / 2);

const InputCase kInputCases[] = {
    {"momentary button writes 1 while it is held", [](SampleEngine& e) { e.press(A::nextPageButton.centre()); e.frame(); },
     T::buttonState, 1, A::nextPageButton},
    {"latching button latches on the first click", [](SampleEngine& e) { e.click(A::latchingButton.centre()); },
     T::latchState, 1, A::latchingButton},
    {"latching button lets go on the second click",
     [](SampleEngine& e) {
         e.click(A::latchingButton.centre());
         e.click(A::latchingButton.centre());
     },
     T::latchState, 0, A::latchingButton},
    {"indicator button writes 1 while it is held", [](SampleEngine& e) { e.press(A::indicatorButton.centre()); e.frame(); },
     T::indicatorButtonState, 1, A::indicatorButton},
    {"indicator button writes 0 on release", [](SampleEngine& e) { e.click(A::indicatorButton.centre()); },
     T::indicatorButtonState, 0, A::indicatorButton},
    // Travel 124 pixels for 0 to 100.
    {"slider dragged half its travel", [](SampleEngine& e) { e.drag(e.sliderThumb(), {kSliderStart.x + 62, kSliderStart.y}); },
     T::slider, 50, A::sliderTrack},
    {"slider dragged past its end", [](SampleEngine& e) { e.drag(e.sliderThumb(), {A::sliderTrack.right + 30, kSliderStart.y}); },
     T::slider, 100, A::sliderTrack},
    // From 45 degrees on, clockwise over 270: to the left of the centre is 45 degrees in, 100 x 45 / 270.
    {"knob turned to the left of its centre",
     [](SampleEngine& e) { e.drag(A::knob.at(28, 8), {A::knob.centre().x - 20, A::knob.centre().y}); }, T::knob, 16,
     A::knob},
    {"knob turned straight up", [](SampleEngine& e) { e.drag(A::knob.at(28, 8), {A::knob.centre().x + 1, A::knob.top}); },
     T::knob, 50, A::knob},
    {"numeric entry by keys and Enter",
     [](SampleEngine& e) {
         e.click(A::numericEntry.centre());
         e.key(Qt::Key_Backspace, 3);
         e.type("4x2"); // the letter is no digit
         e.key(Qt::Key_Return);
     },
     T::numericEntry, 42, A::numericEntry},
    {"numeric entry left with Escape writes nothing new",
     [](SampleEngine& e) {
         e.click(A::numericEntry.centre());
         e.type("9");
         e.key(Qt::Key_Escape);
     },
     T::numericEntry, SampleStart::numericEntry, A::numericEntry},
    {"text entry by keys and Enter",
     [](SampleEngine& e) {
         e.click(A::textEntry.centre());
         e.key(Qt::Key_Backspace, 7);
         e.type("Hi");
         e.key(Qt::Key_Return);
     },
     T::textEntry, Text(u"Hi"), A::textEntry},
    {"list box tap selects the second row",
     [](SampleEngine& e) { e.click(A::listbox.at(60, A::kRowHeight + 9)); }, T::listSelection, 1, A::listbox},
    {"dynamic list box tap selects the third row",
     [](SampleEngine& e) { e.click(A::dynamicListbox.at(60, 2 * A::kRowHeight + 9)); }, T::dynamicListSelection, 2,
     A::dynamicListbox},
    {"list box dragged up scrolls without selecting",
     [](SampleEngine& e) { e.drag(A::listbox.at(60, 50), A::listbox.at(60, 10)); }, T::listSelection, 0, A::listbox},
};

} // namespace

TEST(SampleTarget, InteractiveWidgetsAnswerClicksDragsAndKeys)
{
    for (const InputCase& c : kInputCases) {
        SCOPED_TRACE(c.name);
        SampleEngine engine;
        ASSERT_TRUE(engine.loaded());
        const QImage before = engine.picture(c.shows);
        c.act(engine);
        engine.frames(3);
        EXPECT_EQ(engine.value(c.tag), c.expected);
        EXPECT_NE(engine.picture(c.shows), before);
    }
}

TEST(SampleTarget, ArrowKeysMoveTheFocusAlongTheGrid)
{
    struct Step {
        Qt::Key key;
        int32_t focus;
    };
    const Step steps[] = {
        {Qt::Key_Right, W::LatchingButton}, {Qt::Key_Right, W::IndicatorButton},
        {Qt::Key_Right, W::IndicatorButton}, // nothing further right
        {Qt::Key_Down, W::NumericEntry},     // the nearer column of the row below, the left one of two
        {Qt::Key_Right, W::TextEntry},       {Qt::Key_Down, W::Slider},
        {Qt::Key_Right, W::Knob},            {Qt::Key_Down, W::DynamicListbox},
        {Qt::Key_Left, W::Listbox},          {Qt::Key_Up, W::Slider},
        {Qt::Key_Up, W::TextEntry},          {Qt::Key_Up, W::IndicatorButton},
        {Qt::Key_Left, W::LatchingButton},   {Qt::Key_Left, W::NextPageButton},
        {Qt::Key_Up, W::NextPageButton},     // nothing above
    };
    SampleEngine engine;
    ASSERT_TRUE(engine.loaded());
    ASSERT_EQ(engine.focus(), W::NextPageButton);
    for (const Step& step : steps) {
        SCOPED_TRACE(int(&step - steps));
        engine.key(step.key);
        EXPECT_EQ(engine.focus(), step.focus);
    }
    // Moving the focus writes no tag and clicks no button.
    EXPECT_EQ(engine.number(T::releaseCount), 0);
    EXPECT_EQ(engine.project().currentIndex(), 0);
}

TEST(SampleTarget, TheFocusedButtonShowsItsFocusedFace)
{
    SampleEngine engine;
    ASSERT_TRUE(engine.loaded());
    const QImage focused = engine.picture(A::nextPageButton);
    const QImage unfocused = engine.picture(A::latchingButton);
    engine.key(Qt::Key_Right);
    EXPECT_NE(engine.picture(A::nextPageButton), focused);
    EXPECT_NE(engine.picture(A::latchingButton), unfocused);
    // The focus ring's colour lies along the edge of the focused face only.
    const DPoint edge = A::latchingButton.at(A::latchingButton.width() / 2, 1);
    EXPECT_EQ(engine.pixel(edge), 0xFFF1C40Fu);
    EXPECT_NE(engine.pixel(A::nextPageButton.at(A::nextPageButton.width() / 2, 1)), 0xFFF1C40Fu);
}

namespace {

struct DisplayCase {
    const char* name;
    TagReference tag;
    Value value;
    SampleArea shows;
    uint32_t wait = 100; // milliseconds of frames after the write
};

const DisplayCase kDisplayCases[] = {
    {"dynamic image", T::dynamicImage, 2, A::dynamicImage},
    {"message field", T::message, 2, A::message},
    {"indicator light", T::light, 2, A::light},
    {"indicator button's lamp", T::indicator, 1, A::indicatorLamp},
    {"image bar", T::imageBar, 95, A::imageBar},
    {"colour bar", T::colourBar, 90, A::colourBar},
    {"meter", T::meter, 80, A::meter},
    {"numeric field", T::numeric, -567, A::numeric},
    {"text field", T::text, Text(u"World"), A::text},
    {"date/time field", T::dateTime, 13 * 3600 + 5 * 60 + 9, A::dateTime},
    {"slider", T::slider, 90, A::content(3, 3)},
    {"knob", T::knob, 10, A::knob},
    {"list box selection", T::listSelection, 4, A::listbox},
    {"dynamic list box items", T::dynamicListItems, Text(u"One/Two"), A::dynamicListbox},
    {"trend after a second of samples", T::trend, 90, A::trend, 1000},
};

} // namespace

TEST(SampleTarget, DisplayWidgetsRedrawWhenTheirTagChanges)
{
    for (const DisplayCase& c : kDisplayCases) {
        SCOPED_TRACE(c.name);
        SampleEngine engine;
        ASSERT_TRUE(engine.loaded());
        engine.runFor(200); // the trend and ticker move on their own; let the first frames pass
        const QImage before = engine.picture(c.shows);
        engine.set(c.tag, c.value);
        engine.runFor(c.wait);
        EXPECT_NE(engine.picture(c.shows), before);
        EXPECT_EQ(engine.value(c.tag), c.value);
    }
}

TEST(SampleTarget, BarsFillInProportionToTheirValue)
{
    SampleEngine engine;
    ASSERT_TRUE(engine.loaded());
    engine.set(T::colourBar, 50);
    engine.frames(2);
    // Growing up from the bottom: the lower half is the bar's colour, the upper half is not.
    const SampleArea bar = A::colourBar;
    EXPECT_EQ(engine.pixel(bar.at(bar.width() / 2, bar.height() - 2)), SampleColours::colourBar);
    EXPECT_EQ(engine.pixel(bar.at(bar.width() / 2, bar.height() / 2 + 2)), SampleColours::colourBar);
    EXPECT_NE(engine.pixel(bar.at(bar.width() / 2, bar.height() / 2 - 3)), SampleColours::colourBar);
    engine.set(T::colourBar, 100);
    engine.frames(2);
    EXPECT_EQ(engine.pixel(bar.at(bar.width() / 2, 1)), SampleColours::colourBar);
}

TEST(SampleTarget, TickerTimerAndTagTriggerWorkOverTime)
{
    SampleEngine engine;
    ASSERT_TRUE(engine.loaded());
    const QImage ticker = engine.picture(A::ticker);
    const int32_t seconds = engine.number(T::timer);
    const QImage timer = engine.picture(A::timerCount);
    engine.runFor(3000);
    EXPECT_NE(engine.picture(A::ticker), ticker);
    EXPECT_EQ(engine.number(T::timer), seconds + 3);
    EXPECT_NE(engine.picture(A::timerCount), timer);

    // The tag trigger counts every new value of its tag, and only new ones.
    const QImage count = engine.picture(A::triggerCount);
    engine.set(T::triggerWatched, 7);
    engine.frames(3);
    EXPECT_EQ(engine.number(T::triggerCount), 1);
    EXPECT_NE(engine.picture(A::triggerCount), count);
    engine.set(T::triggerWatched, 7);
    engine.frames(3);
    EXPECT_EQ(engine.number(T::triggerCount), 1);
    engine.set(T::triggerWatched, 8);
    engine.frames(3);
    EXPECT_EQ(engine.number(T::triggerCount), 2);
}

namespace {

// Runs the tool with its error output into a file; its exit code.
int runTool(const std::string& arguments, const std::filesystem::path& errors)
{
    const std::string command = programPath("vx-sample-target").string() + " " + arguments + " >/dev/null 2>" + errors.string();
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(SampleTargetTool, WritesTheSampleAndReportsWhatItCannotDo)
{
    TempDir dir;
    const auto out = dir / "panel.ddd";
    ASSERT_EQ(runTool(out.string(), dir / "errors"), 0);
    const std::string written = readFile(out);
    const std::vector<uint8_t>& bytes = sampleBytes();
    EXPECT_EQ(written.size(), bytes.size());
    EXPECT_TRUE(written == std::string(bytes.begin(), bytes.end())); // not printed: the font alone is 750 kB
    EXPECT_FALSE(std::filesystem::exists(dir / "panel.ddd.part"));

    EXPECT_EQ(runTool("", dir / "errors"), 1);
    EXPECT_EQ(readFile(dir / "errors"), "vx-sample-target: usage: vx-sample-target OUT.ddd\n");
    EXPECT_EQ(runTool("a.ddd b.ddd", dir / "errors"), 1);

    // A folder that does not exist: nothing is written, the old file elsewhere stays.
    const auto missing = dir / "no" / "panel.ddd";
    EXPECT_EQ(runTool(missing.string(), dir / "errors"), 1);
    EXPECT_NE(readFile(dir / "errors").find("cannot write"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_EQ(readFile(out), written);
}
