#pragma once
// The thumb picture of a slider or knob's style: only its size enters the geometry. A
// theme's is "<style>-thumb.png" in the styles folder (slider and knob alike); a
// "Custom" style names its own file in the second property of its "Style" group.

#include <filesystem>
#include <optional>
#include <string_view>

#include "foundation/DGeometry.h"

class CEditorObject;

class CThumbPicture {
public:
    static constexpr std::u16string_view kCustomStyle = u"Custom";

    // The file of the object's style; empty when it names none.
    static std::filesystem::path PathOf(const CEditorObject& object);
    // The picture's size; none when it does not load or has no area.
    static std::optional<DSize> SizeOf(const std::filesystem::path& path);
    static std::optional<DSize> SizeOf(const CEditorObject& object) { return SizeOf(PathOf(object)); }
};
