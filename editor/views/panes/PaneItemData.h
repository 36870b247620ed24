#pragma once
// What the project and objects trees keep in their items, in the words the main
// frame's commands read them: the low 16 bits 0 for a root, else an index plus 1 (a
// page item's low word is 1; its page index is in the high word).

#include <cstdint>
#include <Qt>

namespace PaneItemData {

// The item's data word, its picture in the pane's image list and its overlay.
inline constexpr int kDataRole = Qt::UserRole;
inline constexpr int kImageRole = Qt::UserRole + 1;
inline constexpr int kOverlayRole = Qt::UserRole + 2;

enum class Overlay : int32_t { None = 0, Script = 1, Locked = 2 };

inline constexpr int32_t kPageItem = 1;

constexpr int32_t Low(int32_t data) { return data & 0xFFFF; }
constexpr int32_t High(int32_t data) { return int32_t(uint32_t(data) >> 16); }
constexpr int32_t PageItem(int32_t pageIndex) { return int32_t(uint32_t(pageIndex) << 16) | kPageItem; }
// position: the running position in the tree; index: the object's in the page.
constexpr int32_t ObjectItem(int32_t position, int32_t index) { return int32_t(uint32_t(position) << 16) | (index + 1); }
constexpr int32_t GroupRoot(int32_t group) { return int32_t(uint32_t(group) << 16); }
// The object's index in the page, or -1 for a root.
constexpr int32_t ObjectIndex(int32_t data) { return Low(data) - 1; }

} // namespace PaneItemData
