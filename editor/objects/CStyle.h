#pragma once
// One theme plug-in library: its path, and once loaded its "drawObject" and "query"
// entries. The name is asked once and kept; the library is loaded on demand and freed
// with the style.

#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "editor/objects/CObjectTheme.h"
#include "platform/sys/Library.h"
#include "themes/ThemeInterface.h"

class CStyle : public CObjectTheme {
public:
    explicit CStyle(std::filesystem::path path);
    ~CStyle() override;

    // Loads the library and resolves both entries; false when it does not load (an
    // entry missing from a loaded library stays empty).
    bool LoadLibrary();
    bool IsLoaded() const { return m_library.isLoaded(); }
    const std::filesystem::path& GetPath() const { return m_path; }

    // Asks query 1 while the name is empty, loading the library for the call and
    // freeing it again when this call loaded it. Empty for a library without "query".
    std::u16string GetName() override;
    uint32_t GetColor() override;
    int32_t GetRoundness() override;
    std::u16string GetPropertyDefinitions(int32_t objectTypeIndex) override;
    std::u16string GetSetting(std::u16string_view section, std::u16string_view key) override;
    int32_t DrawObject(const gfx::PixelBuffer& target, const gfx::Rect& rect, int32_t shape, int32_t partCode,
                       int32_t transparency) override;

    // The theme's 64 x 48 preview (query 2): premultiplied ARGB, rows top to bottom; no
    // pixels when the theme gives none.
    struct Preview {
        int32_t width = 0;
        int32_t height = 0;
        std::vector<uint32_t> pixels;
    };
    Preview GetPreview();

    // ARGB from query 5 with red and blue exchanged: the editor's colour order.
    static uint32_t ToEditorColor(uint32_t argb);

private:
    // The entries, the library loaded first when it is not; null when they cannot be had.
    QueryFunction Query();
    DrawObjectFunction DrawEntry();
    bool LoadLocked();

    std::filesystem::path m_path;
    std::u16string m_name;
    Library m_library;
    DrawObjectFunction m_drawObject = nullptr;
    QueryFunction m_query = nullptr;
    // The worker and the user-interface thread both draw and ask: the library, its
    // entries and the name change under this lock only.
    std::mutex m_loadLock;
};
