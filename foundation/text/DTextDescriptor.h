#pragma once
// A text request: which font, size, style, colour and layout a text wants, and the
// face chosen for it.

#include <cstdint>

#include "foundation/DString.h"

class DFontFileDescriptor;

class DTextDescriptor {
public:
    enum Mode : int32_t { Monochrome = 1, AntiAliased = 2, SubPixel = 3 };
    enum HorizontalAlignment : int32_t { Left = 0, Centre = 1, Right = 2 };
    enum VerticalAlignment : int32_t { Top = 0, Middle = 1, Bottom = 2 };

    DTextDescriptor() = default;
    DTextDescriptor(const DTextDescriptor&) = default;
    DTextDescriptor& operator=(const DTextDescriptor&) = default;
    virtual ~DTextDescriptor();

    DString family;             // the face's friendly name
    int32_t size = 16;          // pixel height
    int32_t italic = 0;
    int32_t bold = 0;
    int32_t underline = 0;
    int32_t wrap = 0;           // several lines within the target rectangle
    int32_t rightToLeft = 0;
    int32_t reserved = 0;
    int32_t mode = AntiAliased;
    int32_t horizontalAlignment = Left;
    int32_t verticalAlignment = Top;
    uint32_t colour = 0;        // ARGB, alpha in the top byte
    int32_t lineSpacing = 0;    // extra pixels between lines
    // The engine's requests also name the "font" chunk they were compiled with and a
    // Windows pitch-and-family wish; the editor leaves both 0.
    uint32_t fontReference = 0;
    int32_t pitchFamily = 0;
    // The chosen face, borrowed from the renderer's list; it is also FreeType's face id.
    const DFontFileDescriptor* face = nullptr;
};
