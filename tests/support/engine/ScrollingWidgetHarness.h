#pragma once
// The engine harness on a 64 x 64 target with three local controllers standing for the
// system, local and memory ones, for the scrolling widgets and the primitives' pixels.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "foundation/target/TargetBytes.h"
#include "tests/support/engine/EngineHarness.h"
#include "tests/support/TargetBuilder.h"

class ScrollingWidgetHarness : public testing::Test, public EngineHarness<64, 64, 3> {
public:
    // One colour filling an image of width x height, as an image chunk.
    static uint32_t solidImage(vx::test::TargetBuilder& builder, uint32_t width, uint32_t height, uint32_t argb)
    {
        const std::vector<uint32_t> pixels(std::size_t(width) * height, argb);
        return builder.image(width, height, pixels, target::ImageCompression::None);
    }

    // Loads the page and finds its widget 0 and the part of it that scrolls; a fatal
    // failure where the page does not load or either is missing.
    template <class Widget, class Part, class PartOf>
    void loadWidget(std::vector<uint8_t> bytes, Widget*& shown, Part*& part, PartOf partOf)
    {
        ASSERT_EQ(load(std::move(bytes)), 0);
        shown = widget<Widget>(0);
        ASSERT_NE(shown, nullptr);
        part = std::invoke(partOf, *shown);
        ASSERT_NE(part, nullptr);
    }
};
