#include "editor/objects/shared/CResourceAlignment.h"

#include <cassert>

#include "editor/document/CResourceIndex.h"
#include "editor/objects/CEditorObject.h"

std::size_t CResourceAlignment::Collect(CEditorObject& object, DRIFFFile& target)
{
    const std::size_t before = m_resources.Entries().size();
    object.CollectImages(target, m_resources);
    const std::size_t added = m_resources.Entries().size() - before;
    m_collected.push_back(added);
    return added;
}

int CResourceAlignment::Compile(CEditorObject& object, DRIFFFile& target, CObjectCompileContext& context)
{
    const std::size_t before = m_resources.Cursor();
    const int result = object.Compile(target, context);
    const std::size_t taken = m_resources.Cursor() - before;
    const std::size_t position = m_compiled++;
    const std::size_t collected = position < m_collected.size() ? m_collected[position] : 0;
    if (taken != collected) {
        ++m_mismatches;
        assert(taken == collected && "an object's compile took other resource entries than it collected");
    }
    return result;
}
