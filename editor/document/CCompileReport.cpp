#include "editor/document/CCompileReport.h"

#include <string>

#include "editor/document/CCompileOutput.h"
#include "editor/document/CPropertyBase.h"
#include "editor/document/CSelectable.h"

bool CCompileReport::ReportCompileMessage(CompileDiagnostic code, const CSelectable& owner, const CSelectable* page,
                                          std::u16string_view label, std::u16string_view value)
{
    const bool error = IsCompileError(code);
    std::u16string line = error ? u"\r\nError in " : u"\r\nWarning in ";
    if (owner.IsPage()) {
        line += u"page";
    } else if (const CPropertyBase* name = owner.FindProperty(u"none", u"Name")) {
        line += name->GetValueText();
    }
    line += u" object: ";
    line += CompileDiagnosticMessage(code);
    if (!label.empty() && !value.empty()) {
        line += u" (";
        line += label;
        line += u' ';
        line += value;
        line += u')';
    }
    m_output.AppendLine(line, kMessageColor, page, owner.IsPage() ? nullptr : &owner);
    m_result |= error ? kCompileError : kCompileWarning;
    return error;
}
