#pragma once
// Where the text renderer's faces come from and how a request picks one. The editor's
// source is the catalogue of installed fonts with its registry cache (DFontCatalogue);
// the engine's takes the faces a target file carries (appended with
// DTextRenderer::appendFace, each descriptor opening itself from the file through
// openFace) and matches by font reference and pitch. The renderer calls its source
// only under its render lock.

#include "foundation/text/DFontFileDescriptor.h"

class DTextDescriptor;

class DFontSource {
public:
    virtual ~DFontSource() = default;

    // Fills the list at start-up; library is the renderer's, for probing font files.
    virtual void enumFonts(FT_Library library, DFontFaceList& faces) = 0;

    // The face for a request, borrowed from faces, or null when none fits.
    virtual const DFontFileDescriptor* findFace(const DTextDescriptor& request, const DFontFaceList& faces) = 0;

    // Called by the renderer's clear, before the list is freed.
    virtual void saveFaces(const DFontFaceList& faces) = 0;
};
