#pragma once
// Runs action scripts inside target files on a headless engine: a clock the test sets,
// memory files, a display that records its layer calls, and the project path formatting
// of the desktop platform.

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "engine/actions/DActionList.h"
#include "engine/core/DApplication.h"
#include "engine/primitives/DBaseObject.h"
#include "engine/widgets/DCompositeObject.h"
#include "engine/widgets/DCompositeObject_Rectangle.h"
#include "engine/render/DDisplay_Null.h"
#include "engine/core/DFile_Memory.h"
#include "engine/core/DPage.h"
#include "engine/posix/DPlatform_posix.h"
#include "foundation/target/TargetBytes.h"
#include "tests/support/engine/EngineHarness.h"
#include "tests/support/engine/KeptPart.h"
#include "tests/support/TargetBuilder.h"

namespace action_test {

using target::ActionNumber;
using target::TagReference;
using target::TriggerNumber;

class TestPlatform : public DPlatform_posix {
public:
    void sleep(uint32_t milliseconds) override { now += milliseconds; }
    uint32_t ticks() override { return now; }
    void setInputOriginX(int x) override { originX = x; }
    void setInputOriginY(int y) override { originY = y; }
    std::unique_ptr<DFile> createFile() override { return std::make_unique<DFile_Memory>(fileBytes); }

    uint32_t now = 1;
    int originX = 0;
    int originY = 0;
    std::vector<uint8_t> fileBytes;
};

class LayerDisplay : public DDisplay_Null {
public:
    LayerDisplay() : DDisplay_Null(0) {}
    int showLayer(int32_t layer, int on) override { return record("show", layer, on); }
    int setLayerX(int32_t layer, int32_t position) override { return record("x", layer, position); }
    int setLayerY(int32_t layer, int32_t position) override { return record("y", layer, position); }

    std::vector<std::string> calls;

private:
    int record(const char* what, int32_t first, int32_t second)
    {
        calls.push_back(std::string(what) + " " + std::to_string(first) + " " + std::to_string(second));
        return 0;
    }
};

class Parts : public DEngineParts {
public:
    std::unique_ptr<DPlatform> createPlatform() override { return vx::test::keep(platform); }
    std::unique_ptr<DDisplay> createDisplay() override { return vx::test::keep(display); }
    TestPlatform* platform = nullptr;
    LayerDisplay* display = nullptr;
};

// One action: its number and its arguments in signature order.
using Argument = std::variant<int32_t, TagReference, std::u16string>;
struct Step {
    ActionNumber number;
    std::vector<Argument> arguments;
};
// One trigger group.
struct Group {
    TriggerNumber trigger;
    uint32_t key;
    std::vector<Step> steps;
};
using Script = std::vector<Group>;

inline void writeScript(target::ActionBlockWriter& block, const Script& script)
{
    for (const Group& group : script) {
        block.beginGroup(uint32_t(group.trigger), group.key);
        for (const Step& step : group.steps) {
            block.beginAction(uint32_t(step.number));
            for (const Argument& argument : step.arguments) {
                if (const auto* word = std::get_if<int32_t>(&argument))
                    block.writeWordArgument(uint32_t(*word));
                else if (const auto* tag = std::get_if<TagReference>(&argument))
                    block.writeTagArgument(*tag);
                else
                    block.writeTextArgument(std::get<std::u16string>(argument));
            }
        }
    }
}

inline Script onRelease(std::vector<Step> steps)
{
    return {{TriggerNumber::TouchUp, 0, std::move(steps)}};
}

inline TagReference local(uint32_t address, uint32_t type = target::kValueType32, uint32_t size = 4)
{
    return TagReference::make(target::Controller::Local, address, type, size);
}
// A tag no controller holds.
inline TagReference missing()
{
    return TagReference::make(target::Controller(7), 1, target::kValueType32, 4);
}

constexpr int32_t kWidth = 64, kHeight = 48;

// A touchable rectangle whose action block is the script.
inline void scriptedArea(vx::test::TargetBuilder::Page& page, const Script& script, int32_t left = 0,
                         int32_t top = 0, int32_t right = 16, int32_t bottom = 16,
                         target::ObjectRecordHeader header = {})
{
    page.object(
        uint32_t(target::WidgetType::Rectangle),
        [&](DRIFFFile& file) {
            target::writeRecord(file, target::RectangleWords{0xFF336699});
            page.element(target::ElementKind::SolidRect, left, top, right, bottom,
                         target::kElementFlagVisible | target::kElementFlagTouchable);
        },
        [&](target::ActionBlockWriter& block) { writeScript(block, script); }, header);
}

// The rectangle has no focus frame of its own; these tests give it one so it can hold
// the key focus like the widgets that have one.
struct FocusFrame : DCompositeObject_Rectangle {
    static constexpr DBaseObject* DCompositeObject::*kPrimitive = &FocusFrame::m_focusPrimitive;
    static void give(DCompositeObject& widget, DPage& page)
    {
        for (DBaseObject* primitive : page.primitives())
            if (primitive->owner() == &widget)
                widget.*kPrimitive = primitive;
    }
};

class ActionHarness : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(application.init(0, 0), 0); }

    void load(std::vector<uint8_t> bytes)
    {
        parts.platform->fileBytes = std::move(bytes);
        parts.platform->setProjectPath(DString(u"/panels/main.ddd"));
        ASSERT_EQ(project().load(DString(u"/panels/main.ddd")), 0);
    }
    // One Normal page: the scripted area, then the background.
    void loadPage(const Script& script, int32_t initialFocus = -1)
    {
        vx::test::TargetBuilder builder(kWidth, kHeight, 1);
        builder.page(uint32_t(target::PageType::Normal), initialFocus, [&](auto& page) {
            scriptedArea(page, script);
            page.backgroundColour(0xFF000000, kWidth, kHeight);
        });
        load(builder.finish());
    }

    DProject& project() { return *application.project(); }
    DCompositeObject& widget(std::size_t number, DPage* page = nullptr)
    {
        DPage* on = page ? page : project().currentPage();
        EXPECT_NE(on, nullptr);
        EXPECT_LT(number, on->widgets().size());
        return *on->widgets().at(number);
    }
    DValue& value(const TagReference& tag)
    {
        DItemDescriptor descriptor = DItemDescriptor::fromReference(tag);
        DValue* found = project().findTag(descriptor);
        EXPECT_NE(found, nullptr);
        return *found;
    }
    int32_t number(const TagReference& tag) { return value(tag).number(); }
    void setNumber(const TagReference& tag, int32_t number)
    {
        value(tag).setNumber(number);
        value(tag).clearWritten();
    }
    // The text of a one-byte string tag, up to its first zero.
    std::string text(const TagReference& tag)
    {
        std::string result;
        for (const uint8_t byte : value(tag).bytes()) {
            if (byte == 0)
                break;
            result.push_back(char(byte));
        }
        return result;
    }
    void setText(const TagReference& tag, std::string_view text)
    {
        value(tag).setBytes({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
        value(tag).clearWritten();
    }
    void release(std::size_t number = 0) { widget(number).fireEvent(uint32_t(TriggerNumber::TouchUp)); }

    Parts parts;
    DApplication application{parts, {}};
};

} // namespace action_test
