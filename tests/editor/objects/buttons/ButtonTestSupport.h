#pragma once
// What the button and lamp tests share: objects made on a page with a fake theme, icon
// files written for them, collection followed by compile as the page runs them, and the
// compiled words for comparing with hand-written arrays.

#include <FreeImage.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "editor/objects/CEditorObject.h"
#include "editor/objects/shared/CObjectImageFile.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/editor/FakeTheme.h"
#include "tests/support/editor/ObjectCompileHarness.h"

namespace vx::test {

// A tag reference to no tag, and a navigation word to no object (-1).
inline constexpr uint32_t kNone = 0xFFFFFFFFu;
inline constexpr uint32_t kNav = 0xFFFFFFFFu;

// An opaque PNG of one colour (0xRRGGBB) and the given size.
inline void writePng(const std::filesystem::path& path, int width, int height, uint32_t rgb)
{
    FIBITMAP* bitmap = FreeImage_Allocate(width, height, 32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(FreeImage_GetScanLine(bitmap, y));
        for (int x = 0; x < width; ++x)
            row[x] = 0xFF000000u | rgb;
    }
    FreeImage_Save(FIF_PNG, bitmap, path.c_str());
    FreeImage_Unload(bitmap);
}

inline std::vector<uint32_t> wordsOf(const std::vector<uint8_t>& bytes)
{
    std::vector<uint32_t> words(bytes.size() / 4);
    std::memcpy(words.data(), bytes.data(), words.size() * 4);
    return words;
}

class ButtonFixture {
public:
    ButtonFixture()
    {
        FakeTheme& vista = themes.Add(u"Vista-like");
        vista.roundness = 5;
        FakeTheme& aqua = themes.Add(u"Aqua");
        aqua.roundness = 100;
        CObjectImageFile::SetProjectFolder(folder.path());
    }
    ~ButtonFixture() { CObjectImageFile::SetProjectFolder({}); }

    std::unique_ptr<CEditorObject> Make(int32_t type, int32_t left, int32_t top, int32_t right, int32_t bottom)
    {
        auto object = CEditorObject::CreateObject(type, &page);
        object->FindProperty(u"none", u"Name")->SetValue(CPropertyValue(u"obj"));
        object->SetRect(left, top, right, bottom);
        return object;
    }
    static void Set(CEditorObject& object, std::u16string_view category, std::u16string_view caption,
                    CPropertyValue value)
    {
        object.FindProperty(category, caption)->SetValue(std::move(value));
    }
    // Collection, then compile, as the page does; the compiled words.
    std::vector<uint32_t> Compile(CEditorObject& object)
    {
        harness.Write([&](DRIFFFile& file, CObjectCompileContext&) { object.CollectImages(file, harness.resources); });
        collected = harness.resources.Entries().size();
        return wordsOf(harness.Write([&](DRIFFFile& file, CObjectCompileContext& context) {
            EXPECT_EQ(object.Compile(file, context), 0);
        }));
    }
    // The object as its class, for its own operations.
    template <class Kind>
    static Kind& As(std::unique_ptr<CEditorObject>& object)
    {
        return static_cast<Kind&>(*object);
    }
    // Entry i of the resource index list: a picture by its place in collection order.
    uint32_t Entry(std::size_t i) const { return harness.resources.Entries()[i]; }

    FakeThemes themes;
    TempDir folder;
    CSelectable page{kPageObjectType};
    ObjectCompileHarness harness;
    std::size_t collected = 0;
};

} // namespace vx::test
