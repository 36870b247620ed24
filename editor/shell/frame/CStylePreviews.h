#pragma once
// The style gallery's items: one 64 x 48 preview per theme plug-in, named after its
// theme; a plug-in that cannot be loaded gives an empty preview.

#include <vector>

#include "platform/ui/ribbon/CRibbonPanel.h"

class CStyles;

class CStylePreviews {
public:
    static std::vector<RibbonGalleryItem> Collect(CStyles& styles);
};
