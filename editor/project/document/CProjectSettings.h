#pragma once
// The project's settings: the attributes of the document's root "project", with their
// defaults. The target settings a preset carries are among them.

#include <cstdint>
#include <string>
#include <string_view>

#include "editor/project/CTargetSettings.h"

class DXMLElement;

struct CPageSize {
    static constexpr int32_t kMinSide = 100;
    static constexpr int32_t kMaxSide = 5000;

    int32_t width = 800;
    int32_t height = 480;

    // Width, "x", height, each clamped to 100..5000; without an "x" the height is the width.
    static CPageSize Parse(std::u16string_view text);
    bool operator==(const CPageSize&) const = default;
};

struct CProjectSettings {
    // What this editor writes; 0 marks a document that names no version.
    static constexpr int32_t kFormatVersion = 2;

    int32_t formatVersion = kFormatVersion;
    int32_t importCnt = 0;
    bool grid = true;
    bool gridSnap = false;
    int32_t gridStyle = 0;
    std::u16string zoom = u"100%";
    std::u16string language = u"English";
    int32_t holdFirst = 1000;
    int32_t holdRepeat = 300;
    std::u16string password;
    int32_t SSstart = 0;
    bool layerInitiallyVisible = true;
    int32_t layerHorzPosition = 0;
    int32_t layerVertPosition = 0;
    CTargetSettings target;

    CPageSize GetPageSize() const { return CPageSize::Parse(target.pageSize); }

    // Every attribute, in the document's order, formatVersion as this editor writes it.
    void WriteAttributes(DXMLElement& root) const;
    // Each attribute present replaces its setting, with the older documents' rules: a
    // password beginning with a double quote reads as empty, an empty password or
    // layerInitiallyVisible keeps the setting, an unknown encoding keeps the current one.
    void ReadAttributes(const DXMLElement& root);
    // The root's formatVersion; 0 when it has none.
    static int32_t ReadFormatVersion(const DXMLElement& root);

    bool operator==(const CProjectSettings&) const = default;
};
