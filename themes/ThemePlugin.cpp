// The exports of a theme library. Built four times, with VX_THEME_INDEX choosing the
// constants and VX_THEME_PREVIEW naming the bytes of the preview picture.

#include <FreeImage.h>
#include <array>
#include <span>
#include <string_view>
#include <type_traits>

#include "themes/CTheme.h"

#define VX_THEME_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr unsigned char kPreviewPng[] = {
#include VX_THEME_PREVIEW
};

// The library's resources, by type and identifier.
struct Resource {
    std::string_view type;
    int id;
    std::span<const uint8_t> bytes;
};
constexpr int kPreviewResource = 101;
constexpr std::array kResources{Resource{"PNG", kPreviewResource, kPreviewPng}};

std::span<const uint8_t> findResource(std::string_view type, int id)
{
    for (const Resource& resource : kResources) {
        if (resource.type == type && resource.id == id)
            return resource.bytes;
    }
    return {};
}

const CTheme& theme()
{
    static const CTheme instance(kThemeConstants[VX_THEME_INDEX], findResource("PNG", kPreviewResource));
    return instance;
}

// FreeImage counts its users; the library is one of them while it is loaded.
__attribute__((constructor)) void startImages()
{
    FreeImage_Initialise(TRUE);
}

__attribute__((destructor)) void endImages()
{
    FreeImage_DeInitialise();
}

} // namespace

VX_THEME_EXPORT void ScenerunnerThemeLibrary() {}

VX_THEME_EXPORT int32_t drawObject(const VxThemeSurface* dc, const int32_t* rect, int32_t shape, int32_t partCode,
                                   const void* /*context*/, const char16_t* /*properties*/, int32_t transparency)
{
    return theme().drawObject(dc, rect, shape, partCode, transparency);
}

VX_THEME_EXPORT VxThemeSurface* getPreviewImage()
{
    return theme().previewImage();
}

VX_THEME_EXPORT intptr_t query(int32_t code, const char16_t* section, const char16_t* key)
{
    return theme().query(code, section, key);
}

static_assert(std::is_same_v<decltype(&ScenerunnerThemeLibrary), ScenerunnerThemeLibraryFunction>);
static_assert(std::is_same_v<decltype(&drawObject), DrawObjectFunction>);
static_assert(std::is_same_v<decltype(&getPreviewImage), GetPreviewImageFunction>);
static_assert(std::is_same_v<decltype(&query), QueryFunction>);
