#include "editor/document/CSysTag.h"

#include "foundation/target/TargetSystemTags.h"

int CSysTag::GetCount()
{
    return int(target::SystemTags::kBasic.size());
}

std::u16string CSysTag::GetName(int index)
{
    if (index < 0 || index >= GetCount())
        return {};
    return std::u16string(target::SystemTags::kBasic[std::size_t(index)].name);
}

int32_t CSysTag::FindId(std::u16string_view name)
{
    return target::SystemTags::find(name);
}

bool CSysTag::IsSystemTagName(std::u16string_view name)
{
    return name.starts_with(u"sys");
}
