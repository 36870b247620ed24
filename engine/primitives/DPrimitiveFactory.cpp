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
#include "foundation/DIdTable.h"
#include "foundation/target/TargetElement.h"

namespace {

using target::ElementKind;
using Creator = DBaseObject* (*)(uint32_t typeId, DCompositeObject* owner, DPage* page);

template <class Kind>
DBaseObject* make(uint32_t typeId, DCompositeObject* owner, DPage* page)
{
    return new Kind(typeId, owner, page);
}

// Id 4 and the editor's placeholder have no class.
constexpr auto kKinds = DIdTable<ElementKind, Creator, uint32_t(ElementKind::ScrollingList) + 1>::build({
    {ElementKind::InvisibleRect, &make<DBaseObject_InvisibleRect>},
    {ElementKind::SolidRect, &make<DBaseObject_SolidRect>},
    {ElementKind::UnscaledBitmap, &make<DBaseObject_UnscaledBitmap>},
    {ElementKind::Text, &make<DBaseObject_Text>},
    {ElementKind::SolidTriangle, &make<DBaseObject_SolidTriangle>},
    {ElementKind::RotatingBitmap, &make<DBaseObject_RotatingBitmap>},
    {ElementKind::Graph, &make<DBaseObject_Graph>},
    {ElementKind::ScrollingBitmap, &make<DBaseObject_ScrollingBitmap>},
    {ElementKind::ScrollingList, &make<DBaseObject_ScrollingList>},
});

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
