#include "editor/views/properties/DPropFiles.h"

#include "editor/views/dialogs/CListFiles.h"

namespace {

constexpr int64_t kMissingImages = 10;

} // namespace

void DPropFiles::OnClickButton()
{
    CListFiles dialog(int(CountOf(u"Behavior", u"Nr of images", kMissingImages)), GetValue().Text(), Folders(),
                      GetEditor());
    RunListDialog(dialog);
}
