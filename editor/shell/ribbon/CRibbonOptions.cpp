#include "editor/shell/ribbon/CRibbonOptions.h"

#include <algorithm>

#include "editor/shell/ribbon/RibbonLayoutData.h"
#include "platform/ui/ribbon/CRibbonBar.h"
#include "platform/ui/ribbon/CRibbonCustomizeDialog.h"

namespace {

// A caption or a control that holds a value (an edit, combo, slider or gallery).
bool isNoButton(const CRibbonBar& bar, int id)
{
    const auto& controls = bar.Controls();
    return std::any_of(controls.begin(), controls.end(), [id](const CRibbonControl& control) {
        return control.id == id && control.kind != ControlKind::Button && control.kind != ControlKind::Check &&
               control.kind != ControlKind::Color;
    });
}

} // namespace

std::unique_ptr<CRibbonCustomizeDialog> CRibbonOptions::MakeDialog(CRibbonBar& bar, QWidget* parent)
{
    RibbonCommandCategory popular{QStringLiteral("Popular Commands"), {}};
    for (int32_t id : PopularCommands())
        popular.ids.push_back(id);
    RibbonCommandCategory hidden{QStringLiteral("Commands not in the Ribbon"), {}};
    RibbonCommandCategory all{QStringLiteral("All Commands"), {}};
    for (const CRibbonCommand& command : bar.CommandList()) {
        // Combos, edits, sliders and captions are no commands a bar button could stand for.
        if (command.label.isEmpty() || isNoButton(bar, command.id))
            continue;
        all.ids.push_back(command.id);
        if (command.hidden)
            hidden.ids.push_back(command.id);
    }
    return std::make_unique<CRibbonCustomizeDialog>(bar, QStringLiteral("Options"),
                                                    std::vector<RibbonCommandCategory>{popular, hidden, all}, parent);
}

void CRibbonOptions::ShowOptions(CRibbonBar& bar, QWidget* parent)
{
    const std::unique_ptr<CRibbonCustomizeDialog> dialog = MakeDialog(bar, parent);
    if (dialog->exec() == QDialog::Accepted)
        dialog->Apply();
}
