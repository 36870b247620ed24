#include "editor/document/CTagReferenceIndex.h"

#include "editor/document/CSysTag.h"
#include "editor/document/CTagType.h"
#include "foundation/target/TargetTagTypes.h"

using target::Controller;
using target::TagReference;

CTagReferenceIndex::CTagReferenceIndex(std::span<const CTagRow> rows, uint32_t nativeEncoding)
{
    uint32_t storage = 0;
    uint32_t local = 0;
    for (const CTagRow& row : rows) {
        const int32_t slot = CTagType::Slot(row.type);
        uint32_t type = slot < 0 ? target::TagTypes::kNativeEncoding : uint32_t(slot);
        if (type == target::TagTypes::kNativeEncoding)
            type = nativeEncoding;
        const uint32_t size = uint32_t(row.size);
        TagReference reference;
        switch (row.address.kind) {
        case CTagAddress::Kind::Storage:
            if (storage < kStorageItems) {
                reference = TagReference::make(Controller::System, kFirstStorageItem + storage++,
                                               target::TagTypes::kInteger, size);
                break;
            }
            reference = TagReference::make(Controller::Local, local++, type, size);
            break;
        case CTagAddress::Kind::Fixed:
            reference = TagReference::make(Controller::Memory, row.address.start, type, size);
            break;
        case CTagAddress::Kind::Memory:
            // A "memory" row that found no place names no tag.
            if (row.allocated)
                reference = TagReference::make(Controller::Memory, *row.allocated, type, size);
            break;
        case CTagAddress::Kind::Local:
            reference = TagReference::make(Controller::Local, local++, type, size);
            break;
        }
        if (!row.originalName.empty())
            m_references.try_emplace(row.originalName, reference);
    }
}

TagReference CTagReferenceIndex::Find(std::u16string_view originalName) const
{
    if (CSysTag::IsSystemTagName(originalName))
        return TagReference::none();
    const auto found = m_references.find(std::u16string(originalName));
    return found == m_references.end() ? TagReference::none() : found->second;
}

bool CTagReferenceIndex::Contains(std::u16string_view originalName) const
{
    return m_references.contains(std::u16string(originalName));
}
