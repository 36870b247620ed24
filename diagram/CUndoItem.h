#pragma once
// One undo or redo snapshot of a page: detached clones of its entities in drawing
// order, its paper size and the label the ribbon shows.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "diagram/CDiagramEntity.h"

class CUndoItem {
public:
    std::vector<std::unique_ptr<CDiagramEntity>> entities;
    int32_t paperWidth = 0;
    int32_t paperHeight = 0;
    std::u16string label;
};
