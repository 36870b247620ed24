#include "editor/objects/shared/CObjectRecordWriter.h"

#include "editor/document/CActionCompileScope.h"
#include "editor/document/CActionCompiler.h"
#include "editor/document/CCompileReport.h"
#include "editor/document/CPropertyBase.h"
#include "editor/document/CTagsModel.h"
#include "editor/objects/CEditorObject.h"
#include "editor/objects/CObjectCompileContext.h"
#include "editor/objects/shared/CObjectProperty.h"
#include "foundation/DRIFFFile.h"
#include "foundation/TextHelpers.h"
#include "foundation/target/TargetBytes.h"

namespace {

constexpr std::u16string_view kNavigation = u"Navigation";
constexpr std::u16string_view kScaling = u"Scaling";

int32_t navigationTarget(const CEditorObject& object, std::u16string_view caption, CObjectCompileContext& context)
{
    const CPropertyBase* property = object.FindProperty(kNavigation, caption);
    const std::u16string name = property ? property->GetListValue() : std::u16string();
    return name.empty() ? -1 : context.actions.scope.FindObject(name);
}

} // namespace

target::ObjectRecordHeader CObjectRecordWriter::MakeHeader(const CEditorObject& object, target::WidgetType type,
                                                           CObjectCompileContext& context)
{
    target::ObjectRecordHeader header;
    header.type = uint32_t(type);
    if (object.IsFocusable()) {
        header.left = navigationTarget(object, u"Object left", context);
        header.up = navigationTarget(object, u"Object up", context);
        header.right = navigationTarget(object, u"Object right", context);
        header.down = navigationTarget(object, u"Object down", context);
    }
    return header;
}

void CObjectRecordWriter::WriteHeader(DRIFFFile& target, const CEditorObject& object, target::WidgetType type,
                                      CObjectCompileContext& context)
{
    target::writeRecord(target, MakeHeader(object, type, context));
}

void CObjectRecordWriter::WriteEmptyRecord(DRIFFFile& target)
{
    target::ObjectRecordHeader header;
    header.type = kNoWidget;
    target::writeRecord(target, header);
}

target::TagReference CObjectRecordWriter::ResolveTag(const CEditorObject& object, std::u16string_view caption,
                                                     CObjectCompileContext& context)
{
    const CPropertyBase* property = object.FindProperty(u"Data", caption);
    // A tag name never begins with "<", so the list value is the name or empty.
    const std::u16string value = property ? property->GetListValue() : std::u16string();
    const CActionCompiler compiler(context.actions);
    const target::TagReference tag = compiler.ResolveTagId(value);
    if (value.empty())
        return tag;
    const CompileDiagnostic code =
        compiler.CheckNamedTag(value, tag, object.IsStringTagProperty(caption), object.IsWritableTagProperty(caption));
    // A name no row holds is written as no tag without a word: the tags pane makes the
    // rows the objects name.
    if (code != CompileDiagnostic::None && code != CompileDiagnostic::InvalidTagName)
        context.actions.report.ReportCompileMessage(code, object, context.actions.scope.Page(), u"object property",
                                                    compiler.TagDiagnosticValue(code, value));
    return tag;
}

ScalingTriple CObjectRecordWriter::ReadScaling(const CEditorObject& object)
{
    ScalingTriple scaling;
    scaling.multiplier = int32_t(CObjectProperty::Int(object, kScaling, u"A1", 0));
    scaling.divisor = int32_t(CObjectProperty::Int(object, kScaling, u"A2", 0));
    scaling.offset = int32_t(CObjectProperty::Int(object, kScaling, u"B", 0));
    return scaling;
}

void CObjectRecordWriter::Warn(const CEditorObject& object, CompileDiagnostic code, std::u16string_view label,
                               std::u16string_view value, CObjectCompileContext& context)
{
    context.actions.report.ReportCompileMessage(code, object, context.actions.scope.Page(), label, value);
}

std::u16string CObjectRecordWriter::SizeText(DSize size)
{
    return utf8ToWide(std::to_string(size.width) + " x " + std::to_string(size.height));
}
