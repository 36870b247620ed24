#include "editor/views/properties/DPropColors.h"

#include "editor/views/dialogs/CListColors.h"

namespace {

constexpr int64_t kMissingStates = 2;

} // namespace

void DPropColors::OnClickButton()
{
    CListColors dialog(int(CountOf(u"Behavior", u"Nr of color states", kMissingStates)), GetValue().Text(), GetEditor());
    RunListDialog(dialog);
}
