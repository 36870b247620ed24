#pragma once
// What the bar graph and meter tests share: an object of a type on a page at a place,
// its properties set by caption, and its collection and compile run as the page runs
// them, the record's words handed back.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "editor/document/CObjectTypeTable.h"
#include "editor/document/CPropertyBase.h"
#include "editor/objects/CEditorObject.h"
#include "tests/support/editor/ObjectCompileHarness.h"

namespace vx::test {

class ScaleObjectTest : public ::testing::Test {
protected:
    std::unique_ptr<CEditorObject> Make(int32_t type, gfx::Rect rect)
    {
        auto object = CEditorObject::CreateObject(type, &page);
        object->SetRect(rect.left, rect.top, rect.right, rect.bottom);
        return object;
    }
    static void Set(CEditorObject& object, std::u16string_view caption, std::u16string_view value)
    {
        CPropertyBase* property = object.FindAnyProperty(caption);
        ASSERT_NE(property, nullptr) << std::string(caption.begin(), caption.end());
        property->SetValue(CPropertyValue(value));
    }
    // Collects, then compiles: the record's words (the pictures went into another chunk).
    std::vector<uint32_t> CompileWords(CEditorObject& object)
    {
        harness.resources.Begin(32, target::kTargetFlagsDefault);
        harness.Write([&](DRIFFFile& file, CObjectCompileContext&) { object.CollectImages(file, harness.resources); });
        const std::vector<uint8_t> bytes =
            harness.Write([&](DRIFFFile& file, CObjectCompileContext& context) { status = object.Compile(file, context); });
        std::vector<uint32_t> words;
        for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4)
            words.push_back(uint32_t(bytes[i]) | uint32_t(bytes[i + 1]) << 8 | uint32_t(bytes[i + 2]) << 16 |
                            uint32_t(bytes[i + 3]) << 24);
        return words;
    }
    // The words of an element record: kind, inclusive rectangle, flags.
    static std::vector<uint32_t> Element(uint32_t kind, gfx::Rect rect, uint32_t flags)
    {
        return {32, kind, uint32_t(rect.left), uint32_t(rect.top), uint32_t(rect.right - 1), uint32_t(rect.bottom - 1),
                flags, 0};
    }
    static constexpr uint32_t kFirstElementFlags = 8 | 4; // visible, meets nothing before it
    static constexpr uint32_t kNoTag = 0xFFFFFFFFu;
    static constexpr uint32_t kNoNeighbour = 0xFFFFFFFFu;

    CSelectable page{kPageObjectType};
    ObjectCompileHarness harness;
    int status = -1;
};

inline std::vector<uint32_t> Join(std::initializer_list<std::vector<uint32_t>> parts)
{
    std::vector<uint32_t> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

} // namespace vx::test
