#include "editor/shell/frame/CRibbonProjectSettings.h"

#include "diagram/CommandId.h"
#include "editor/document/CTagType.h"
#include "editor/project/document/CProjectSettings.h"
#include "platform/ui/ribbon/CRibbonBar.h"

namespace {

QString text(std::u16string_view value) { return QString::fromUtf16(value.data(), qsizetype(value.size())); }

} // namespace

void CRibbonProjectSettings::Show(CRibbonBar& bar, const CProjectSettings& settings)
{
    bar.SetControlText(ToInt(CommandId::Zoom), text(settings.zoom));
    bar.SetControlText(ToInt(CommandId::PageSize), text(settings.target.pageSize));
    bar.SetControlText(ToInt(CommandId::HoldFirst), QString::number(settings.holdFirst));
    bar.SetControlText(ToInt(CommandId::HoldRepeat), QString::number(settings.holdRepeat));
    // 0 is shown as the list's "off".
    bar.SetControlText(ToInt(CommandId::ScreenSaverTime),
                       settings.SSstart == 0 ? QStringLiteral("off") : QString::number(settings.SSstart));
    bar.SetControlText(ToInt(CommandId::PositionHorizontal), QString::number(settings.layerHorzPosition));
    bar.SetControlText(ToInt(CommandId::PositionVertical), QString::number(settings.layerVertPosition));
    bar.SetControlValue(ToInt(CommandId::TextAntiAliasing), settings.target.textAliasing);
    bar.SetControlText(ToInt(CommandId::NativeEncoding), text(CTagType::Name(settings.target.nativeEncoding)));
    bar.SetControlText(ToInt(CommandId::TagMemorySize), QString::number(settings.target.tagMemorySize));
}
