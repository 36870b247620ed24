#include "editor/views/page/commands/CTextFormatCommands.h"

#include <algorithm>
#include <array>

#include "diagram/CommandId.h"
#include "editor/objects/CEditorObject.h"
#include "editor/objects/CObjectFonts.h"
#include "editor/views/page/CPageViewEnvironment.h"
#include "editor/views/page/commands/CPageCommandContext.h"
#include "editor/views/page/commands/CPageRibbonControls.h"
#include "platform/ui/CommandTable.h"

namespace {

constexpr std::u16string_view kFont = u"Text";
constexpr std::u16string_view kSize = u"Size";
constexpr std::u16string_view kColour = u"Color";
constexpr std::u16string_view kAlignment = u"Alignment";

bool isMerged(const CPropertySelectedList& merged)
{
    return merged.GetMergeState() == MergeState::Equal || merged.GetMergeState() == MergeState::Differs;
}

std::u16string numberText(int32_t value) { return CPropertyValue(value).Text(); }

// The font and size boxes: a mixed selection clears the box, a common value shows,
// nothing to format disables it.
void updateTextBox(CPageCommandContext& context, CommandId box, std::u16string_view caption, CommandState& state)
{
    CPropertySelectedList merged;
    context.MergeText(caption, merged);
    CPageRibbonControls& ribbon = context.Ribbon();
    const bool editing = ribbon.HasFocus(box) || (box == CommandId::FontSize && ribbon.IsHighlighted(box));
    switch (merged.GetMergeState()) {
    case MergeState::Differs:
        if (!ribbon.HasFocus(box))
            ribbon.SetText(box, u"");
        break;
    case MergeState::Equal:
        if (!editing && ribbon.GetText(box) != merged.GetValueText())
            ribbon.SetText(box, merged.GetValueText());
        break;
    case MergeState::Missing:
    case MergeState::Nothing:
        state.enabled = false;
        if (!ribbon.GetText(box).empty())
            ribbon.SetText(box, u"");
        break;
    }
}

void setSize(CPageCommandContext& context, int32_t step)
{
    std::vector<CEditorObject*> objects;
    for (CEditorObject* object : context.SelectedObjects()) {
        const CPropertyBase* size = object->GetFormat().FindProperty(CPageCommandContext::kTextCategory, kSize);
        if (!size)
            continue;
        const int32_t now = size->GetInt();
        const int32_t next = std::clamp(now + step, CTextFormatCommands::kMinimumSize, CTextFormatCommands::kMaximumSize);
        if (next != now)
            CPageCommandContext::SetText({object}, kSize, CPropertyValue(next));
    }
}

struct Toggle {
    CommandId id;
    std::u16string_view caption;
    uint32_t style; // the face style the toggle needs, or 0
};
constexpr std::array kToggles{
    Toggle{CommandId::FontBold, u"Bold", CTextFormatCommands::kBoldStyle},
    Toggle{CommandId::FontItalic, u"Italic", CTextFormatCommands::kItalicStyle},
    Toggle{CommandId::FontUnderline, u"Underline", 0},
    Toggle{CommandId::TextRightToLeft, u"RTL", 0},
};

struct Alignment {
    CommandId id;
    int32_t value;
};
constexpr std::array kAlignments{
    Alignment{CommandId::TextAlignLeft, 0},
    Alignment{CommandId::TextAlignCentre, 1},
    Alignment{CommandId::TextAlignRight, 2},
};

} // namespace

uint32_t CTextFormatCommands::AvailableStyles(const CEditorObject& object)
{
    const CPropertyBase* family = object.GetFormat().FindProperty(CPageCommandContext::kTextCategory, kFont);
    const std::vector<const DFontFileDescriptor*> faces = CObjectFonts::FacesOf(family ? family->GetValueText() : u"");
    if (faces.empty())
        return kAnyStyle;
    uint32_t styles = 0;
    for (const DFontFileDescriptor* face : faces)
        styles |= face->bold ? kBoldStyle : face->italic ? kItalicStyle : 0;
    return styles;
}

void CTextFormatCommands::Register(CommandTarget& target, CPageCommandContext& context)
{
    CPageCommandContext* c = &context;

    target.add(
        ToInt(CommandId::FontName),
        [c] {
            const std::u16string face = c->Ribbon().GetText(CommandId::FontName);
            CPageCommandContext::SetText(c->SelectedObjects(), kFont, CPropertyValue(face));
        },
        [c](CommandState& state) { updateTextBox(*c, CommandId::FontName, kFont, state); }, ControlKind::Combo);

    target.add(
        ToInt(CommandId::FontSize),
        [c] {
            const int32_t typed = CPropertyValue(c->Ribbon().GetText(CommandId::FontSize)).ToInt();
            const int32_t size = std::clamp(typed, kMinimumSize, kMaximumSize);
            if (size != typed)
                c->Ribbon().SetText(CommandId::FontSize, numberText(size));
            CPageCommandContext::SetText(c->SelectedObjects(), kSize, CPropertyValue(size));
        },
        [c](CommandState& state) { updateTextBox(*c, CommandId::FontSize, kSize, state); }, ControlKind::Combo);

    const auto sizeMerged = [c](CommandState& state) {
        CPropertySelectedList merged;
        c->MergeText(kSize, merged);
        state.enabled = isMerged(merged);
    };
    target.add(ToInt(CommandId::FontGrow), [c] { setSize(*c, +1); }, sizeMerged);
    target.add(ToInt(CommandId::FontShrink), [c] { setSize(*c, -1); }, sizeMerged);

    target.add(
        ToInt(CommandId::FontColour),
        [c] {
            const uint32_t colour = c->Ribbon().GetColour(CommandId::FontColour);
            if (colour != kNoCommonColour)
                CPageCommandContext::SetText(c->SelectedObjects(), kColour, CPropertyValue(colour));
        },
        [c](CommandState& state) {
            CPropertySelectedList merged;
            c->MergeText(kColour, merged);
            CPageRibbonControls& ribbon = c->Ribbon();
            const uint32_t shown = ribbon.GetColour(CommandId::FontColour);
            uint32_t wanted = kNoCommonColour;
            if (merged.GetMergeState() == MergeState::Equal)
                wanted = merged.GetUInt();
            state.enabled = isMerged(merged);
            if (shown != wanted)
                ribbon.SetColour(CommandId::FontColour, wanted);
        },
        ControlKind::Color);

    for (const Toggle& toggle : kToggles) {
        target.add(
            ToInt(toggle.id),
            [c, toggle] {
                const std::vector<CEditorObject*> objects = c->SelectedObjects();
                if (objects.empty())
                    return;
                const CPropertyBase* first =
                    objects.front()->GetFormat().FindProperty(CPageCommandContext::kTextCategory, toggle.caption);
                const uint32_t value = first && first->GetInt() != 0 ? 0 : 1;
                CPageCommandContext::SetText(objects, toggle.caption, CPropertyValue(value));
            },
            [c, toggle](CommandState& state) {
                if (toggle.style != 0)
                    for (const CEditorObject* object : c->SelectedObjects())
                        if (!(AvailableStyles(*object) & toggle.style)) {
                            state.enabled = false;
                            return;
                        }
                CPropertySelectedList merged;
                c->MergeText(toggle.caption, merged);
                state.enabled = isMerged(merged);
                state.checked = merged.GetMergeState() == MergeState::Equal && merged.GetInt() != 0;
            },
            ControlKind::Check);
    }

    for (const Alignment& alignment : kAlignments) {
        target.add(
            ToInt(alignment.id),
            [c, alignment] {
                c->ViewSettings().textAlignment = alignment.value;
                CPageCommandContext::SetText(c->SelectedObjects(), kAlignment, CPropertyValue(uint32_t(alignment.value)));
            },
            [c, alignment](CommandState& state) {
                CPropertySelectedList merged;
                c->MergeText(kAlignment, merged);
                int32_t& remembered = c->ViewSettings().textAlignment;
                if (merged.GetMergeState() == MergeState::Differs)
                    remembered = -1;
                else if (merged.GetMergeState() == MergeState::Equal)
                    remembered = merged.GetInt();
                state.enabled = isMerged(merged);
                state.checked = remembered == alignment.value;
            },
            ControlKind::Check);
    }
}
