// The primitive kinds by their type id, and the reading of one primitive record.
#include <algorithm>
#include <array>

#include "engine/primitives/DBaseObject.h"
#include "engine/primitives/DBaseObject_Graph.h"
#include "engine/primitives/DBaseObject_InvisibleRect.h"
#include "engine/primitives/DBaseObject_RotatingBitmap.h"
#include "engine/primitives/DBaseObject_ScrollingBitmap.h"
#include "engine/primitives/DBaseObject_ScrollingList.h"
#include "engine/primitives/DBaseObject_SolidRect.h"
#include "engine/primitives/DBaseObject_SolidTriangle.h"
#include "engine/primitives/DBaseObject_Text.h"
#include "engine/primitives/DBaseObject_UnscaledBitmap.h"
#include "engine/core/DFile.h"
#include "engine/core/DStatus.h"
#include "foundation/target/TargetElement.h"

namespace {

using Creator = DBaseObject* (*)(uint32_t typeId, DCompositeObject* owner, DPage* page);

template <class Kind>
DBaseObject* make(uint32_t typeId, DCompositeObject* owner, DPage* page)
{
    return new Kind(typeId, owner, page);
}

// Ids 4 and 6 (the editor's placeholder) have no class.
constexpr std::array<Creator, 12> kKinds{
    nullptr,                           // 0
    &make<DBaseObject_InvisibleRect>,  // 1
    &make<DBaseObject_SolidRect>,      // 2
    &make<DBaseObject_UnscaledBitmap>, // 3
    nullptr,                           // 4
    &make<DBaseObject_Text>,           // 5 text
    nullptr,                           // 6 placeholder
    &make<DBaseObject_SolidTriangle>,   // 7
    &make<DBaseObject_RotatingBitmap>,  // 8
    &make<DBaseObject_Graph>,           // 9
    &make<DBaseObject_ScrollingBitmap>, // 10
    &make<DBaseObject_ScrollingList>,   // 11
};

} // namespace

DBaseObject* DBaseObject::create(DCompositeObject* owner, DPage* page, DFile& file)
{
    const uint64_t start = file.tell();
    target::ElementRecordPrefix prefix;
    if (target::readRecordWords(file, prefix) != DStatus::Ok)
        return nullptr;
    const uint32_t size = prefix.recordSize, typeId = prefix.kind;
    const Creator creator = typeId < kKinds.size() ? kKinds[typeId] : nullptr;
    if (!creator) {
        // Skipped to its end; a placeholder (size 0) is its two words.
        if (size > target::ElementRecordPrefix::kSize)
            (void)file.seek(int64_t(start + size), DFile::FromStart);
        return nullptr;
    }
    DBaseObject* primitive = creator(typeId, owner, page);
    if (!primitive)
        return nullptr;
    const uint64_t end = start + std::max(size, target::ElementRecordPrefix::kSize);
    {
        DFileLimit limit(file, end);
        if (limit.pushed())
            (void)primitive->load(file);
    }
    (void)file.seek(int64_t(end), DFile::FromStart);
    return primitive;
}
