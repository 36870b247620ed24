#include "editor/objects/CPageObjectContainer.h"

#include "editor/objects/CEditorObject.h"
#include "editor/objects/CObjectNames.h"

void CPageObjectContainer::AddNew(std::unique_ptr<CDiagramEntity> entity)
{
    if (auto* object = dynamic_cast<CEditorObject*>(entity.get()))
        CObjectNames::NameNewObject(*this, *object);
    Add(std::move(entity));
}
