#pragma once
// What an object's compile writes with: the action compile context (tags, report,
// scope), the resource index list, and the page's element rectangles so far.

#include <vector>

#include "editor/document/CActionCompiler.h"
#include "editor/document/CResourceIndex.h"
#include "platform/gfx/Rect.h"

class CSelectable;

struct CObjectCompileContext {
    CActionCompileContext& actions;
    CResourceIndex& resources;
    // Element rectangles written before in the current page chunk, for the overlap bit;
    // the page empties it at each page.
    std::vector<gfx::Rect>& elementRects;
    // The first object of a Window page is touchable as a focusable one is.
    bool firstObjectOfWindowPage = false;
};
