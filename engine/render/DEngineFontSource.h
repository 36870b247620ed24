#pragma once
// The engine's faces: those the target file carries in its "font" chunks. Nothing is
// enumerated or saved; loadFonts appends the faces while the project loads, and a
// request picks its face by font reference or name, else by style, pitch and name.

#include <cstdint>

#include "foundation/text/DFontSource.h"

class DFile;
class DTextRenderer;

class DEngineFontSource : public DFontSource {
public:
    void enumFonts(FT_Library, DFontFaceList&) override {}
    const DFontFileDescriptor* findFace(const DTextDescriptor& request, const DFontFaceList& faces) override;
    void saveFaces(const DFontFaceList&) override {}

    // Walks the chunks from the file's position up to end (an absolute position) and
    // appends every face of every "font" chunk. The faces of an earlier file are let go
    // first. Returns the number of faces appended.
    static uint32_t loadFonts(DTextRenderer& renderer, DFile& file, uint64_t end);
};
