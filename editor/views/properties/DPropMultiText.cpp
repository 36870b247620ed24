#include "editor/views/properties/DPropMultiText.h"

#include "editor/views/dialogs/CDlgMultitext.h"

void DPropMultiText::OnClickButton()
{
    CDlgMultitext dialog(QString::fromStdU16String(GetValue().Text()), GetEditor());
    if (RunDialog(dialog) == QDialog::Accepted)
        Take(dialog.Text().toStdU16String());
}
