#include "editor/objects/CObjectNames.h"

#include <string>

#include "diagram/CDiagramEntityContainer.h"
#include "editor/objects/CEditorObject.h"
#include "foundation/TextHelpers.h"

namespace {

constexpr std::u16string_view kGroup = u"none";

std::u16string_view caption(NameKind kind)
{
    return kind == NameKind::Current ? u"Name" : u"_Original name";
}

void setName(CEditorObject& object, NameKind kind, std::u16string_view name)
{
    if (CPropertyBase* property = object.FindProperty(kGroup, caption(kind)))
        property->SetValue(CPropertyValue(name));
}

bool nameTaken(const CDiagramEntityContainer& editor, std::u16string_view name, const CEditorObject& except)
{
    for (int32_t i = 0; i < editor.GetSize(); ++i) {
        const auto* object = dynamic_cast<const CEditorObject*>(editor.GetAt(i));
        if (object && object != &except
            && (CObjectNames::GetName(*object, NameKind::Original) == name
                || CObjectNames::GetName(*object, NameKind::Current) == name))
            return true;
    }
    return false;
}

bool convert(const CDiagramEntityContainer& editor, std::u16string& name, NameKind from, NameKind to)
{
    const CEditorObject* object = CObjectNames::FindPageObject(editor, name, from);
    std::u16string other = object ? CObjectNames::GetName(*object, to) : std::u16string();
    if (other == name)
        return false;
    name = std::move(other);
    return true;
}

} // namespace

void CObjectNames::InitObjectName(CEditorObject& object, std::u16string_view name)
{
    setName(object, NameKind::Current, name);
    setName(object, NameKind::Original, name);
}

std::u16string CObjectNames::GetName(const CEditorObject& object, NameKind kind)
{
    const CPropertyBase* property = object.FindProperty(kGroup, caption(kind));
    return property ? property->GetValueText() : std::u16string();
}

CEditorObject* CObjectNames::FindPageObject(const CDiagramEntityContainer& editor, std::u16string_view text, NameKind by)
{
    for (int32_t i = 0; i < editor.GetSize(); ++i)
        if (auto* object = dynamic_cast<CEditorObject*>(editor.GetAt(i)); object && GetName(*object, by) == text)
            return object;
    return nullptr;
}

bool CObjectNames::ToOriginalObjectName(const CDiagramEntityContainer& editor, std::u16string& name)
{
    return convert(editor, name, NameKind::Current, NameKind::Original);
}

bool CObjectNames::ToCurrentObjectName(const CDiagramEntityContainer& editor, std::u16string& name)
{
    return convert(editor, name, NameKind::Original, NameKind::Current);
}

void CObjectNames::NameNewObject(const CDiagramEntityContainer& editor, CEditorObject& object)
{
    const std::u16string name = GetName(object, NameKind::Current);
    if (name.empty())
        MakeUniqueName(&editor, nullptr, object);
    else if (nameTaken(editor, name, object) || nameTaken(editor, GetName(object, NameKind::Original), object))
        MakeUniqueName(&editor, &object, object);
}

void CObjectNames::MakeUniqueName(const CDiagramEntityContainer* editor, const CEditorObject* source, CEditorObject& object)
{
    std::u16string base;
    if (source) {
        base = GetName(*source, NameKind::Current);
        // Copies of copies stay "name-copy-n", not "name-copy-1-copy-1".
        if (const std::size_t mark = base.find(kCopyMark, 1); mark != std::u16string::npos)
            base.resize(mark);
        base += kCopyMark;
    } else {
        if (!GetName(object, NameKind::Current).empty())
            return;
        base = object.GetTypeName() + u"-";
    }
    for (int n = 1;; ++n) {
        std::u16string name = base + utf8ToWide(std::to_string(n));
        if (!editor || !nameTaken(*editor, name, object)) {
            InitObjectName(object, name);
            return;
        }
    }
}
