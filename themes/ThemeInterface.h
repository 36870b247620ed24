#pragma once
// The interface between the editor and a theme plug-in (Theme_*.so in Styles/ beside the
// program): four C functions found by name. Strings are UTF-16 and NUL-terminated; a name
// or preview a theme returns is allocated with malloc and freed by the caller with free;
// the caller keeps only the low 32 bits of a numeric query result.

#include <stdint.h>
#ifndef __cplusplus
#include <uchar.h>
#endif

#ifdef __cplusplus
extern "C" {
#endif

// A drawing target: premultiplied ARGB32 pixels in native byte order, rows top to bottom,
// stride in bytes. A preview is one malloc block: this struct, then its pixels.
typedef struct VxThemeSurface {
    uint32_t* pixels;
    int32_t width;
    int32_t height;
    int32_t stride;
} VxThemeSurface;

// Present in every theme library; does nothing.
typedef void (*ScenerunnerThemeLibraryFunction)(void);
// rect: left, top, right, bottom (right and bottom outside). shape: 0 ellipse, 1 rounded
// rectangle, negative: the picture alone. transparency 0 (opaque) to 255. context and
// properties are not read. 1 when drawn, 0 when nothing was.
typedef int32_t (*DrawObjectFunction)(const VxThemeSurface* dc, const int32_t* rect, int32_t shape,
                                      int32_t partCode, const void* context, const char16_t* properties,
                                      int32_t transparency);
// A new 64 x 48 preview, or null.
typedef VxThemeSurface* (*GetPreviewImageFunction)(void);
// ThemeQueryCode; section and key are read by the settings query only.
typedef intptr_t (*QueryFunction)(int32_t code, const char16_t* section, const char16_t* key);

#ifdef __cplusplus
}
#endif

#define VX_THEME_LIBRARY_MARK "ScenerunnerThemeLibrary"
#define VX_THEME_DRAW_OBJECT "drawObject"
#define VX_THEME_GET_PREVIEW_IMAGE "getPreviewImage"
#define VX_THEME_QUERY "query"

#ifdef __cplusplus
enum ThemeQueryCode : int32_t {
    ThemeQueryName = 1,                // malloc'd UTF-16 name
    ThemeQueryPreview = 2,             // as getPreviewImage
    ThemeQueryPropertyDefinitions = 3, // none: the themes have no properties of their own
    ThemeQueryRoundness = 4,           // corner roundness in percent
    ThemeQueryColour = 5,              // ARGB
    ThemeQuerySetting = 6,             // value of key in section of <Name>.ini; valid until this thread's next query
};

// Part codes (ThemeObjectCode): the object class in the high nibble (0 button, 1 slider,
// 2 meter, 3 graph, 4 indicator light, 5 list box), a part or state in the low nibble.
using ThemeObjectCode = int32_t;
#endif
