#include "editor/views/properties/DPropMessages.h"

#include "editor/document/CSelectable.h"
#include "editor/views/dialogs/CListMessages.h"

namespace {

constexpr int64_t kMissingMessages = 10;

} // namespace

void DPropMessages::OnClickButton()
{
    const CSelectable* first = First();
    const int64_t count = first && first->FindProperty(u"Behavior", u"Nr of text messages")
                              ? CountOf(u"Behavior", u"Nr of text messages", kMissingMessages)
                              : CountOf(u"Appearance", u"Maximum items", kMissingMessages);
    CListMessages dialog(int(count), GetValue().Text(), GetEditor());
    RunListDialog(dialog);
}
