#pragma once
// The words every class writes around its class data, over the shared target records:
// the object record header (the class chooses the widget type, so a text with colours
// can compile as a message field), the empty-object record, tag references resolved with
// their type check, the scaling triple, and words of two 16-bit halves.
//
// The page writes 0 into the record's size and action-block-offset words through the
// header and patches them around the class words; the action block follows the class
// words. Packed halves go through target::packHalves, which masks each half to 16 bits
// before joining them.

#include <cstdint>
#include <string>
#include <string_view>

#include "editor/document/CompileDiagnostic.h"
#include "foundation/DGeometry.h"
#include "foundation/target/TargetPage.h"
#include "foundation/target/TargetScaleWords.h"
#include "foundation/target/TargetTag.h"

class CEditorObject;
class DRIFFFile;
struct CObjectCompileContext;

// The multiplier A1, divisor A2 and offset B of the "Scaling" group.
struct ScalingTriple {
    int32_t multiplier = 1;
    int32_t divisor = 1;
    int32_t offset = 0;

    // Into the scale words of a record (ScaleWords or AlarmedScaleWords).
    template <class Words>
    void ApplyTo(Words& words) const
    {
        words.multiplier = multiplier;
        words.divisor = divisor;
        words.offset = offset;
    }
};

class CObjectRecordWriter {
public:
    // A type word that names no widget: the engine makes nothing of the record and goes
    // on by its size.
    static constexpr uint32_t kNoWidget = 0;

    // The header of the object's record with that type: size words 0 (patched by the
    // page), navigation from the "Navigation" group for a focusable class, else -1.
    static target::ObjectRecordHeader MakeHeader(const CEditorObject& object, target::WidgetType type,
                                                 CObjectCompileContext& context);
    static void WriteHeader(DRIFFFile& target, const CEditorObject& object, target::WidgetType type,
                            CObjectCompileContext& context);
    // A whole record the engine skips cleanly: header with kNoWidget, navigation -1, no
    // class words and no elements; the page adds the action block as for any record.
    static void WriteEmptyRecord(DRIFFFile& target);

    // The tag of a "Data" tag property; a type mismatch (string against numeric, a
    // written system tag) is reported with the label "object property".
    static target::TagReference ResolveTag(const CEditorObject& object, std::u16string_view caption,
                                           CObjectCompileContext& context);
    // A1, A2 and B of "Scaling" as signed integers; empty or unreadable values are 0.
    static ScalingTriple ReadScaling(const CEditorObject& object);

    // "width x height", as a warning about a size shows it.
    static std::u16string SizeText(DSize size);
    // A warning naming the object: code with " (label value)".
    static void Warn(const CEditorObject& object, CompileDiagnostic code, std::u16string_view label,
                     std::u16string_view value, CObjectCompileContext& context);
};
