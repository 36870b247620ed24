#pragma once
// Action scripts as the actions grid holds them: parsed entries turned into grid lines
// (trigger with its detail, the action's display name, the parameters with their names
// converted), and grid lines written back as the script's JSON text.

#include <string>
#include <string_view>
#include <vector>

#include "editor/views/actions/CActionReferences.h"
#include "editor/views/actions/CActionsGridData.h"

enum class ScriptForm {
    Stored,   // references by original name, as the script keeps them
    Raw,      // the texts as the lines hold them
};

class CActionScriptRows {
public:
    struct Parsed {
        std::vector<CActionsGridData> rows;
        // The reader's message when the text is not a script; empty otherwise.
        std::string error;
    };

    // A text of blanks only is an empty script, not an error. A trigger or an action the
    // editor does not know keeps its text.
    static Parsed FromScript(std::u16string_view text, int formatVersion, const CActionReferences& references,
                             NameDirection direction);
    static std::string ToScript(const std::vector<CActionsGridData>& rows, const CActionReferences& references,
                                ScriptForm form);
};
