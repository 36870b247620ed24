#pragma once
// A theme the object tests install in place of the plug-ins: settings from a table, a
// roundness and colour of their choosing, and frames drawn as one flat colour.

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "editor/objects/CObjectTheme.h"

namespace vx::test {

class FakeTheme : public CObjectTheme {
public:
    explicit FakeTheme(std::u16string name) : name(std::move(name)) {}

    std::u16string GetName() override { return name; }
    uint32_t GetColor() override { return color; }
    int32_t GetRoundness() override { return roundness; }
    std::u16string GetPropertyDefinitions(int32_t) override { return definitions; }
    std::u16string GetSetting(std::u16string_view section, std::u16string_view key) override
    {
        const auto found = settings.find({std::u16string(section), std::u16string(key)});
        return found == settings.end() ? std::u16string() : found->second;
    }
    int32_t DrawObject(const gfx::PixelBuffer& target, const gfx::Rect& rect, int32_t, int32_t, int32_t) override
    {
        ++draws;
        if (onDraw)
            onDraw();
        for (int32_t y = std::max(rect.top, 0); y < std::min(rect.bottom, target.height); ++y)
            for (int32_t x = std::max(rect.left, 0); x < std::min(rect.right, target.width); ++x)
                target.row(y)[x] = frame;
        return 1;
    }

    std::u16string name;
    uint32_t color = 0x123456;
    int32_t roundness = 40;
    std::u16string definitions;
    uint32_t frame = 0xFF204080;   // premultiplied, opaque
    int draws = 0;
    std::function<void()> onDraw;   // runs on the drawing thread before each frame
    std::map<std::pair<std::u16string, std::u16string>, std::u16string> settings;   // (type name, caption)
};

// Installs a provider of the given themes while it lives.
class FakeThemes : public CThemeProvider {
public:
    FakeThemes() { CThemeProvider::Set(this); }
    ~FakeThemes() override { CThemeProvider::Set(nullptr); }
    FakeThemes(const FakeThemes&) = delete;
    FakeThemes& operator=(const FakeThemes&) = delete;

    FakeTheme& Add(std::u16string name) { return *themes.emplace(name, std::make_unique<FakeTheme>(name)).first->second; }
    CObjectTheme* FindTheme(std::u16string_view name) override
    {
        const auto found = themes.find(std::u16string(name));
        return found == themes.end() ? nullptr : found->second.get();
    }
    // In name order, as the styles folder lists its libraries.
    std::u16string FirstThemeName() override { return themes.empty() ? std::u16string() : themes.begin()->first; }

    std::map<std::u16string, std::unique_ptr<FakeTheme>> themes;
};

} // namespace vx::test
