#pragma once
// One known font face: where it lives, its names and its style flags. The text renderer
// keeps a list of them; a descriptor's address is FreeType's face identifier, and
// openFace is what the cache's face requester calls to open it.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "foundation/DString.h"

class Registry;

class DFontFileDescriptor {
public:
    DFontFileDescriptor() = default;
    DFontFileDescriptor(const DFontFileDescriptor&) = default;
    DFontFileDescriptor& operator=(const DFontFileDescriptor&) = default;
    virtual ~DFontFileDescriptor();

    // Opens the face for FreeType. This one opens absPath (UTF-8) at faceIndex; faces
    // that live elsewhere (a chunk of the target file, memory) override it and open
    // through FT_Open_Face with a stream or a memory block.
    [[nodiscard]] virtual FT_Error openFace(FT_Library library, FT_Face* face) const;

    // The registry font cache: subkey "FontCache/descriptor%08x" of index. load returns
    // 0 when the subkey has no "absPath" (the end of the cache), else 1.
    [[nodiscard]] int load(uint32_t index, const Registry& registry);
    void save(uint32_t index, Registry& registry) const;

    // Fills the style flags, the bitmap strike and pitchFamily from an open face.
    void describe(FT_Face face);

    // The family, then a space and the style less "Regular", "Book", "Bold", "Italic" and "Oblique" when
    // anything is left of it.
    static DString makeFriendlyName(std::u16string_view family, std::u16string_view style);
    // A file's base name without its extension, only ASCII letters and digits, lowered.
    static DString makeFileName(std::u16string_view baseName);

    DString friendlyName;
    DString absPath;
    DString fileName;
    int32_t italic = 0;
    int32_t bold = 0;
    int32_t fixedWidth = 0;     // FreeType's fixed-width flag (4) or 0
    int32_t multipleFixed = 0;  // bitmap strikes only, not scalable
    int32_t multipleSize = 0;   // the first strike's pixel height for such a face
    int32_t pitchFamily = 0;    // the Windows FNT byte, else 1 fixed width, 2 proportional
    int32_t faceIndex = 0;
    int32_t fileExists = 0;
};

using DFontFaceList = std::vector<std::unique_ptr<DFontFileDescriptor>>;
