#include "editor/views/page/commands/CPageSettingsCommands.h"

#include <algorithm>
#include <array>

#include "diagram/CommandId.h"
#include "diagram/view/DDiagramView.h"
#include "editor/project/document/CProject.h"
#include "editor/views/page/CChildViewPage.h"
#include "editor/views/page/CPageViewEnvironment.h"
#include "editor/views/page/commands/CPageCommandContext.h"
#include "editor/views/page/commands/CPageRibbonControls.h"
#include "editor/views/page/commands/PageSizeText.h"
#include "editor/views/page/commands/ZoomText.h"
#include "platform/ui/CommandTable.h"

namespace {

constexpr int32_t kFullPercent = 100;
constexpr int32_t kOpaqueLevels = 255;

// The page types that exist once per project and are never duplicated.
constexpr std::array kUniquePageTypes{int32_t(target::PageType::Initial), int32_t(target::PageType::Global),
                                      int32_t(target::PageType::ScreenSaver)};

void setZoom(CPageCommandContext& context, double factor, int32_t percent)
{
    context.Editor().SetZoom(factor);
    context.Project()->Settings().zoom = ZoomText::FormatPercent(percent);
    context.ViewSettingChanged();
}

} // namespace

int32_t CPageSettingsCommands::FitPercent(int32_t clientWidth, int32_t clientHeight, const CPageSize& page)
{
    return std::max(std::min(clientHeight * kFullPercent / page.height, clientWidth * kFullPercent / page.width), 1);
}

void CPageSettingsCommands::Register(CommandTarget& target, CPageCommandContext& context)
{
    CPageCommandContext* c = &context;
    // Handlers of settings the project keeps run only with a project and an attached page.
    const auto withProject = [c](auto body) {
        return [c, body] {
            if (CProject* project = c->Project())
                body(*project);
        };
    };
    const auto updateProject = [c](auto body) {
        return [c, body](CommandState& state) {
            if (CProject* project = c->Project())
                body(*project, state);
            else
                state.enabled = false;
        };
    };

    target.add(ToInt(CommandId::GridVisible), withProject([c](CProject& project) {
                   project.Settings().grid = !project.Settings().grid;
                   c->Editor().SetGridVisible(project.Settings().grid ? Toggle::On : Toggle::Off);
                   c->Editor().RedrawWindow();
                   c->ViewSettingChanged();
               }),
               updateProject([](CProject& project, CommandState& state) { state.checked = project.Settings().grid; }),
               ControlKind::Check);

    target.add(ToInt(CommandId::SnapToGrid), withProject([c](CProject& project) {
                   project.Settings().gridSnap = !project.Settings().gridSnap;
                   c->Editor().SetSnapToGrid(project.Settings().gridSnap ? Toggle::On : Toggle::Off);
                   c->ViewSettingChanged();
               }),
               updateProject([](CProject& project, CommandState& state) { state.checked = project.Settings().gridSnap; }),
               ControlKind::Check);

    for (const auto& [id, style] : {std::pair{CommandId::GridDots, DDiagramEditor::GridStyle::Dots},
                                   std::pair{CommandId::GridLines, DDiagramEditor::GridStyle::Lines}}) {
        target.add(ToInt(id), withProject([c, style](CProject& project) {
                       project.Settings().gridStyle = int32_t(style);
                       c->Editor().SetGridStyleCode(int32_t(style));
                       c->Editor().RedrawWindow();
                       c->ViewSettingChanged();
                   }),
                   updateProject([style](CProject& project, CommandState& state) {
                       state.checked = project.Settings().gridStyle == int32_t(style);
                       state.enabled = project.Settings().grid;
                   }),
                   ControlKind::Check);
    }

    // A page size that does not read as "W" or "WxH" is refused: the box shows the old one.
    target.add(ToInt(CommandId::PageSize), withProject([c](CProject& project) {
                   CPageRibbonControls& ribbon = c->Ribbon();
                   const std::optional<CPageSize> size = PageSizeText::Parse(ribbon.GetText(CommandId::PageSize));
                   if (!size) {
                       ribbon.SetText(CommandId::PageSize, project.Settings().target.pageSize);
                       return;
                   }
                   if (*size == project.GetPageSize()) {
                       ribbon.SetText(CommandId::PageSize, project.Settings().target.pageSize);
                       return;
                   }
                   if (c->ViewSettings().resizePageObjects)
                       project.ApplyPageSize(*size);
                   project.Settings().target.pageSize = PageSizeText::Stored(ribbon.GetText(CommandId::PageSize), *size);
                   ribbon.SetText(CommandId::PageSize, project.Settings().target.pageSize);
                   c->Editor().SetVirtualSize(size->width, size->height);
                   c->ViewSettingChanged();
               }),
               updateProject([c](CProject& project, CommandState&) {
                   CPageRibbonControls& ribbon = c->Ribbon();
                   if (!ribbon.HasFocus(CommandId::PageSize) &&
                       ribbon.GetText(CommandId::PageSize) != project.Settings().target.pageSize)
                       ribbon.SetText(CommandId::PageSize, project.Settings().target.pageSize);
               }),
               ControlKind::Combo);

    target.add(ToInt(CommandId::ResizePageObjects),
               [c] { c->ViewSettings().resizePageObjects = !c->ViewSettings().resizePageObjects; },
               [c](CommandState& state) { state.checked = c->ViewSettings().resizePageObjects; }, ControlKind::Check);

    target.add(ToInt(CommandId::PageColour), withProject([c](CProject&) {
                   CPage& page = *c->Page();
                   const uint32_t colour = c->Ribbon().GetColour(CommandId::PageColour);
                   if (colour == page.GetBackgroundColor())
                       return;
                   page.SetBackgroundColor(colour);
                   c->ViewSettingChanged();
                   c->RequestFullRefill();
               }),
               updateProject([c](CProject&, CommandState&) {
                   const uint32_t colour = c->Page()->GetBackgroundColor();
                   if (c->Ribbon().GetColour(CommandId::PageColour) != colour)
                       c->Ribbon().SetColour(CommandId::PageColour, colour);
               }),
               ControlKind::Color);

    target.add(ToInt(CommandId::PageTransparency), withProject([c](CProject&) {
                   CPage& page = *c->Page();
                   const int32_t position =
                       std::clamp(c->Ribbon().GetPosition(CommandId::PageTransparency), 0, CPageSettingsCommands::kSliderMaximum);
                   const int32_t transparency = position * kOpaqueLevels / CPageSettingsCommands::kSliderMaximum;
                   if (transparency == page.GetBackgroundTransparency())
                       return;
                   page.SetBackgroundTransparency(transparency);
                   c->ViewSettingChanged();
                   c->RequestFullRefill();
               }),
               updateProject([c](CProject&, CommandState&) {
                   const int32_t position = c->Page()->GetBackgroundTransparency() * CPageSettingsCommands::kSliderMaximum / kOpaqueLevels;
                   if (c->Ribbon().GetPosition(CommandId::PageTransparency) != position)
                       c->Ribbon().SetPosition(CommandId::PageTransparency, position);
               }),
               ControlKind::Slider);

    // A zoom that does not read as a number is ignored; the box shows the zoom again.
    target.add(ToInt(CommandId::Zoom), withProject([c](CProject&) {
                   if (const std::optional<double> factor = ZoomText::ParseFactor(c->Ribbon().GetText(CommandId::Zoom)))
                       setZoom(*c, *factor, int32_t(*factor * kFullPercent + 0.5));
                   c->Ribbon().SetText(CommandId::Zoom, ZoomText::FormatBox(c->Editor().GetZoom()));
               }),
               updateProject([c](CProject&, CommandState&) {
                   const std::u16string text = ZoomText::FormatBox(c->Editor().GetZoom());
                   if (!c->Ribbon().HasFocus(CommandId::Zoom) && c->Ribbon().GetText(CommandId::Zoom) != text)
                       c->Ribbon().SetText(CommandId::Zoom, text);
               }),
               ControlKind::Combo);

    target.add(ToInt(CommandId::ZoomFit), withProject([c](CProject& project) {
                   const QSize client = c->View().GetCanvas().viewport()->size();
                   const int32_t percent = FitPercent(client.width(), client.height(), project.GetPageSize());
                   setZoom(*c, percent * 0.01, percent);
               }),
               updateProject([](CProject&, CommandState&) {}));

    target.add(ToInt(CommandId::ZoomReset), withProject([c](CProject&) { setZoom(*c, 1.0, kFullPercent); }),
               updateProject([c](CProject&, CommandState& state) { state.enabled = c->Editor().GetZoom() != 1.0; }));

    target.add(ToInt(CommandId::PageDelete), withProject([c](CProject&) {
                   c->View().GetEnvironment().DeletePage(*c->Page());
               }),
               updateProject([](CProject&, CommandState&) {}));

    target.add(ToInt(CommandId::PageDuplicate), withProject([c](CProject&) {
                   const int32_t type = c->Page()->GetPageType();
                   if (std::find(kUniquePageTypes.begin(), kUniquePageTypes.end(), type) == kUniquePageTypes.end())
                       c->View().GetEnvironment().DuplicatePage(*c->Page());
               }),
               updateProject([c](CProject&, CommandState& state) {
                   const int32_t type = c->Page()->GetPageType();
                   state.enabled = std::find(kUniquePageTypes.begin(), kUniquePageTypes.end(), type) == kUniquePageTypes.end();
               }));
}
