#pragma once
// What an object asks of the theme named in its "StyleName": the real plug-ins answer
// through CStyle, tests through a theme of their own.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/gfx/PixelBuffer.h"
#include "platform/gfx/Rect.h"

class CObjectTheme {
public:
    virtual ~CObjectTheme() = default;

    virtual std::u16string GetName() = 0;
    // The theme's colour in the editor's order (red in the low byte).
    virtual uint32_t GetColor() = 0;
    // Corner roundness in percent.
    virtual int32_t GetRoundness() = 0;
    // Definition text of the theme's own "Style" group for an object type; empty for none.
    virtual std::u16string GetPropertyDefinitions(int32_t objectTypeIndex) = 0;
    // The theme's setting key of section (an object type name); empty when it has none.
    virtual std::u16string GetSetting(std::u16string_view section, std::u16string_view key) = 0;
    // Draws a frame into the rectangle (right and bottom outside); 1 when drawn, 0 when not.
    virtual int32_t DrawObject(const gfx::PixelBuffer& target, const gfx::Rect& rect, int32_t shape, int32_t partCode,
                               int32_t transparency) = 0;
};

// Finds themes by name for the objects. The editor's styles serve unless another
// provider is installed.
class CThemeProvider {
public:
    virtual ~CThemeProvider() = default;
    // The first theme of that exact name, or none.
    virtual CObjectTheme* FindTheme(std::u16string_view name) = 0;
    // The name of the theme a new object takes when its class's default is not installed;
    // empty when there is none.
    virtual std::u16string FirstThemeName() { return {}; }

    // The installed provider, or the editor's styles.
    static CThemeProvider& Get();
    // Installs a provider (none restores the styles); the caller keeps it alive.
    static void Set(CThemeProvider* provider);
};
