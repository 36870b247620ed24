#pragma once
// The round trip of editor objects: they are compiled, as a page compiles them, into the
// one page of a target file built with the TargetBuilder (pictures and fonts collected
// into the file first, through the alignment check; records from the last object of the
// list to the first, so list position i has target index n - 1 - i; then the page
// background in kBackground). The engine then loads the file headless, and the harness
// hands back each object's widget, the status its widget's own load gives, the engine's
// picture of the page, and the editor's previews of the same objects over the same
// background for comparison. ScreenshotPage shows the file in the real engine program
// under Xvfb and gives back the page's pixels.
//
// Action scripts are not compiled here: each record ends with an empty action block.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "editor/objects/CEditorObject.h"
#include "foundation/target/TargetFormat.h"
#include "foundation/target/TargetPage.h"
#include "tests/support/editor/ObjectCompileHarness.h"
#include "tests/support/engine/EngineHarness.h"

namespace vx::test {

// Pixels of a page, ARGB, rows top to bottom.
struct PagePixels {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> argb;

    bool empty() const { return argb.empty(); }
    uint32_t at(int32_t x, int32_t y) const { return argb[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    // Writes an 8-bit RGBA PNG; true on success.
    bool WritePng(const std::filesystem::path& png) const;
    // Pixels whose colour (alpha left out) differs from other's; other must be as large.
    std::size_t CountDifferences(const PagePixels& other) const;
};

class ObjectRoundTrip {
public:
    static constexpr int32_t kWidth = 320;
    static constexpr int32_t kHeight = 240;
    // Opaque, and a colour no object of the tests uses, so a screenshot finds the page by it.
    static constexpr uint32_t kBackground = 0xFF203040;
    using Engine = EngineHarness<kWidth, kHeight, 3>;

    explicit ObjectRoundTrip(int colorDepth = 32, uint32_t targetFlags = target::kTargetFlagsDefault);

    // Objects in page list order; the round trip borrows them.
    void Add(CEditorObject& object);
    // Compiles the page; the whole target file.
    const std::vector<uint8_t>& Compile();
    // Compiles when not done yet, loads the file into the engine and draws one frame; 0
    // when the project loaded.
    [[nodiscard]] int Load();

    Engine& engine() { return m_engine; }
    // The compile's tags, report lines and scope.
    ObjectCompileHarness& compiler() { return m_compiler; }
    // Entries the compile's objects took other than their collections added.
    std::size_t AlignmentMismatches() const { return m_mismatches; }

    // The widget the object at list position made; none when its record made none.
    DCompositeObject* Widget(std::size_t listPosition);
    template <class Kind>
    Kind* WidgetAs(std::size_t listPosition)
    {
        return dynamic_cast<Kind*>(Widget(listPosition));
    }
    // The type word compiled for the object at list position.
    uint32_t TypeOf(std::size_t listPosition) const;
    // The object's compiled record, header and class words (no action block).
    const std::vector<uint8_t>& RecordOf(std::size_t listPosition) const;
    // The status the object's record gives when a widget of its type loads it alone;
    // none when its type makes no widget.
    std::optional<int> LoadStatus(std::size_t listPosition);

    // The engine's picture of the page after another frame.
    PagePixels RenderPage();
    // The editor's previews of the objects drawn over the background at their rectangles,
    // in the engine's drawing order (record order).
    PagePixels ComposePreviews();

private:
    std::size_t TargetIndexOf(std::size_t listPosition) const { return m_objects.size() - 1 - listPosition; }

    int m_colorDepth;
    uint32_t m_targetFlags;
    std::vector<CEditorObject*> m_objects;
    ObjectCompileHarness m_compiler;
    CSelectable m_page;
    std::vector<std::vector<uint8_t>> m_records;   // by target index
    std::vector<uint8_t> m_file;
    std::size_t m_mismatches = 0;
    bool m_compiled = false;
    Engine m_engine;
};

// Starts the engine program on file under a private X server and gives back the page's
// pixels, found by the background colour at its top-left corner, once they hold what
// ready accepts (or after about 30 seconds); empty when the page never showed.
PagePixels ScreenshotPage(const std::vector<uint8_t>& file, const std::filesystem::path& folder,
                          const std::function<bool(const PagePixels&)>& ready);

} // namespace vx::test
