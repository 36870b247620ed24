#include "editor/objects/sliders/CUsableValues.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "editor/objects/shared/CObjectRecordWriter.h"

uint32_t CUsableValues::AtLeastOne(const CEditorObject& object, std::u16string_view caption, int64_t value,
                                   CObjectCompileContext& context)
{
    if (value >= 1)
        return uint32_t(std::min<int64_t>(value, UINT32_MAX));
    Warn(object, caption, context);
    return 1;
}

void CUsableValues::Range(const CEditorObject& object, int32_t& minimum, int32_t& maximum, CObjectCompileContext& context)
{
    if (maximum > minimum)
        return;
    Warn(object, u"Maximum value", context);
    if (maximum < minimum)
        std::swap(minimum, maximum);
    else if (minimum < INT32_MAX)
        maximum = minimum + 1;
    else
        minimum = maximum - 1;
}

void CUsableValues::Warn(const CEditorObject& object, std::u16string_view caption, CObjectCompileContext& context)
{
    CObjectRecordWriter::Warn(object, CompileDiagnostic::ValueClamped, u"object property", caption, context);
}
