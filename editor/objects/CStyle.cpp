#include "editor/objects/CStyle.h"

#include <cstdlib>

CStyle::CStyle(std::filesystem::path path) : m_path(std::move(path)) {}

CStyle::~CStyle() = default;

bool CStyle::LoadLibrary()
{
    std::lock_guard lock(m_loadLock);
    return LoadLocked();
}

bool CStyle::LoadLocked()
{
    if (m_library.isLoaded())
        return true;
    m_drawObject = nullptr;
    m_query = nullptr;
    if (m_library.load(m_path) != 0)
        return false;
    m_drawObject = m_library.function<DrawObjectFunction>(VX_THEME_DRAW_OBJECT);
    m_query = m_library.function<QueryFunction>(VX_THEME_QUERY);
    return true;
}

QueryFunction CStyle::Query()
{
    std::lock_guard lock(m_loadLock);
    return LoadLocked() ? m_query : nullptr;
}

DrawObjectFunction CStyle::DrawEntry()
{
    std::lock_guard lock(m_loadLock);
    return LoadLocked() ? m_drawObject : nullptr;
}

std::u16string CStyle::GetName()
{
    std::lock_guard lock(m_loadLock);
    if (!m_name.empty())
        return m_name;
    const bool loadedHere = !m_library.isLoaded();
    if (loadedHere && !LoadLocked())
        return {};
    if (m_query) {
        if (auto* text = reinterpret_cast<char16_t*>(m_query(ThemeQueryName, nullptr, nullptr))) {
            m_name = text;
            std::free(text);
        }
    }
    if (loadedHere) {
        m_drawObject = nullptr;
        m_query = nullptr;
        m_library.unload();
    }
    return m_name;
}

CStyle::Preview CStyle::GetPreview()
{
    Preview preview;
    const QueryFunction query = Query();
    if (!query)
        return preview;
    VxThemeSurface* surface = reinterpret_cast<VxThemeSurface*>(query(ThemeQueryPreview, nullptr, nullptr));
    if (!surface)
        return preview;
    // The plug-in's block is copied and freed here; its size is bounded before any read.
    if (surface->pixels && surface->width > 0 && surface->height > 0 && surface->width <= 4096 &&
        surface->height <= 4096 && surface->stride >= surface->width * 4) {
        preview.width = surface->width;
        preview.height = surface->height;
        preview.pixels.reserve(std::size_t(surface->width) * std::size_t(surface->height));
        for (int32_t y = 0; y < surface->height; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(reinterpret_cast<const uint8_t*>(surface->pixels) +
                                                                std::size_t(y) * std::size_t(surface->stride));
            preview.pixels.insert(preview.pixels.end(), row, row + surface->width);
        }
    }
    std::free(surface);
    return preview;
}

uint32_t CStyle::ToEditorColor(uint32_t argb)
{
    return (argb & 0xFF00FF00u) | (argb & 0xFFu) << 16 | (argb >> 16 & 0xFFu);
}

uint32_t CStyle::GetColor()
{
    const QueryFunction query = Query();
    return query ? ToEditorColor(uint32_t(query(ThemeQueryColour, nullptr, nullptr))) : 0;
}

int32_t CStyle::GetRoundness()
{
    const QueryFunction query = Query();
    return query ? int32_t(uint32_t(query(ThemeQueryRoundness, nullptr, nullptr))) : 0;
}

std::u16string CStyle::GetPropertyDefinitions(int32_t objectTypeIndex)
{
    const QueryFunction query = Query();
    if (!query)
        return {};
    const auto* text = reinterpret_cast<const char16_t*>(query(ThemeQueryPropertyDefinitions, nullptr, nullptr));
    (void)objectTypeIndex; // the themes answer alike for every type
    if (!text || !*text)
        return {};
    // The records need the category they are replaced by.
    return u"group,Style," + std::u16string(text);
}

std::u16string CStyle::GetSetting(std::u16string_view section, std::u16string_view key)
{
    const QueryFunction query = Query();
    if (!query)
        return {};
    const std::u16string sectionText(section);
    const std::u16string keyText(key);
    // The answer lies in the plug-in's buffer until this thread's next query: copied at once.
    const auto* value = reinterpret_cast<const char16_t*>(query(ThemeQuerySetting, sectionText.c_str(), keyText.c_str()));
    return value ? std::u16string(value) : std::u16string();
}

int32_t CStyle::DrawObject(const gfx::PixelBuffer& target, const gfx::Rect& rect, int32_t shape, int32_t partCode,
                           int32_t transparency)
{
    const DrawObjectFunction drawObject = target.isValid() ? DrawEntry() : nullptr;
    if (!drawObject)
        return 0;
    const VxThemeSurface surface{target.pixels, target.width, target.height, target.stride};
    const int32_t corners[4] = {rect.left, rect.top, rect.right, rect.bottom};
    return drawObject(&surface, corners, shape, partCode, nullptr, nullptr, transparency);
}
