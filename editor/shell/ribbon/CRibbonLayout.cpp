#include "editor/shell/ribbon/CRibbonLayout.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QMenu>
#include <QToolButton>
#include <algorithm>

#include "diagram/CommandId.h"
#include "editor/document/ActionTable.h"
#include "editor/document/CObjectTypeTable.h"
#include "editor/shell/ribbon/CPresetList.h"
#include "editor/shell/ribbon/RibbonPalette.h"
#include "editor/shell/ribbon/RibbonLayoutData.h"
#include "editor/views/icons/CEditorIcons.h"
#include "foundation/target/TargetTagTypes.h"
#include "platform/ui/ribbon/CRibbonApplicationMenu.h"
#include "platform/ui/ribbon/CRibbonBar.h"
#include "platform/ui/ribbon/CRibbonCategory.h"
#include "platform/ui/ribbon/CRibbonColourButton.h"
#include "platform/ui/ribbon/CRibbonQuickAccessBar.h"

namespace {

// The last rows of the two tables: a generated button of a row past them has no image.
constexpr std::size_t kLastObjectRow = 30;
constexpr std::size_t kLastActionRow = 48;

const RibbonMenuItem kPasteMenu[] = {
    {ToInt(CommandId::EditPaste), QStringLiteral("&Paste"), 0},
    {ToInt(CommandId::EditPasteSpecial), QStringLiteral("Paste &Special..."), -1},
};

QString text(const char16_t* text) { return QString::fromUtf16(text); }

QStringList itemsOf(std::span<const char16_t* const> items)
{
    QStringList list;
    for (const char16_t* item : items)
        list << text(item);
    return list;
}

// "50%" carries 50.
QVariantList percentsOf(const QStringList& items)
{
    QVariantList data;
    for (QString item : items)
        data << item.remove(u'%').toInt();
    return data;
}

struct Building {
    CRibbonBar& bar;
    const CRibbonSources& sources;
    CRibbonCategory* category = nullptr;
    CRibbonPanel* panel = nullptr;
};

bool addEncodingCombo(CRibbonPanel& panel, const RibbonElement& element)
{
    QStringList names;
    QVariantList slotData;
    for (uint32_t slot = target::TagTypes::kUtf8; slot < target::TagTypes::kCount; ++slot) {
        const std::string_view name = target::TagTypes::kNames[slot];
        if (name.empty())
            continue;
        names << QString::fromLatin1(name.data(), qsizetype(name.size()));
        slotData << int(slot);
    }
    panel.AddCombo(element.id, names, element.width, RibbonComboKind::List, slotData);
    return true;
}

bool addElements(Building& building, std::span<const RibbonElement> elements);

// False for an element that needs a category or panel before it.
bool addElement(Building& building, const RibbonElement& element)
{
    CRibbonBar& bar = building.bar;
    if (element.item == RibbonItem::Category) {
        building.category = &bar.AddCategory(text(element.label), {element.image, element.width});
        building.panel = nullptr;
        return true;
    }
    if (element.item == RibbonItem::Panel) {
        if (!building.category)
            return false;
        building.panel = &building.category->AddPanel(text(element.label));
        return true;
    }
    if (element.item == RibbonItem::HiddenButton) {
        // Undo and redo: each drops down the list of steps it can take back or again.
        bar.AddHiddenCommand(element.id, text(element.label), CEditorIcons::Icon(IconStrip::Home, element.image),
                             RibbonActionList::Steps);
        return true;
    }
    if (element.item == RibbonItem::Shared)
        return addElements(building, {element.shared, element.sharedCount});
    if (!building.panel)
        return false;
    CRibbonPanel& panel = *building.panel;
    const QString label = text(element.label);
    switch (element.item) {
    case RibbonItem::LargeButton:
        panel.AddButton(element.id, label, element.image, RibbonButtonSize::Large);
        return true;
    case RibbonItem::SmallButton:
        panel.AddButton(element.id, label, element.image, RibbonButtonSize::Small);
        return true;
    case RibbonItem::PasteButton:
        panel.AddMenuButton(element.id, label, element.image, RibbonButtonSize::Large, kPasteMenu);
        return true;
    case RibbonItem::CheckBox: {
        QCheckBox* box = panel.AddCheckBox(element.id, label);
        if (element.image >= 0)
            box->setIcon(bar.Image(building.category->Images().small, element.image));
        return true;
    }
    case RibbonItem::ListCombo:
    case RibbonItem::EditableCombo:
        panel.AddCombo(element.id, itemsOf(element.items), element.width,
                       element.item == RibbonItem::ListCombo ? RibbonComboKind::List : RibbonComboKind::Editable);
        return true;
    case RibbonItem::PercentCombo: {
        const QStringList items = itemsOf(element.items);
        panel.AddCombo(element.id, items, element.width, RibbonComboKind::Editable, percentsOf(items));
        return true;
    }
    case RibbonItem::FontCombo:
        panel.AddFontCombo(element.id, element.width);
        return true;
    case RibbonItem::EncodingCombo:
        return addEncodingCombo(panel, element);
    case RibbonItem::Edit:
        panel.AddEdit(element.id, label, element.width);
        return true;
    case RibbonItem::Slider:
        panel.AddSlider(element.id, element.image, element.width);
        return true;
    case RibbonItem::ColourButton:
        panel.AddColourButton(element.id, label, RibbonPalette());
        return true;
    case RibbonItem::StyleGallery:
        panel.AddGallery(element.id, label, building.sources.styles);
        return true;
    case RibbonItem::Label:
        panel.AddLabel(label, element.image, element.id);
        return true;
    case RibbonItem::BeginGroup:
        panel.BeginButtonGroup();
        return true;
    case RibbonItem::BeginRow:
        panel.BeginRow();
        return true;
    case RibbonItem::EndRow:
        panel.EndButtonGroup();
        return true;
    case RibbonItem::Separator:
        panel.AddSeparator();
        return true;
    case RibbonItem::InsertButton:
        CRibbonLayout::AddInsertButton(panel, element.id, label);
        return true;
    case RibbonItem::ActionButton:
        CRibbonLayout::AddActionButton(panel, element.id, label);
        return true;
    case RibbonItem::Category:
    case RibbonItem::Panel:
    case RibbonItem::HiddenButton:
    case RibbonItem::Shared:
        break;
    }
    return false;
}

bool addElements(Building& building, std::span<const RibbonElement> elements)
{
    return std::all_of(elements.begin(), elements.end(),
                       [&building](const RibbonElement& element) { return addElement(building, element); });
}

// One item per preset name, at most ten: the ids after them belong to other commands.
void addPresetItems(CRibbonApplicationMenu& menu, QMenu& sub, const std::vector<std::u16string>& names, int firstId)
{
    const std::size_t shown = std::min(names.size(), CPresetList::kMaxButtons);
    for (std::size_t k = 0; k < shown; ++k)
        menu.AddSubCommand(sub, firstId + int(k), QString::fromStdU16String(names[k]));
}

void buildApplicationMenu(CRibbonBar& bar, const CRibbonSources& sources, CRibbonPresets& presets)
{
    CRibbonApplicationMenu& menu = bar.ApplicationMenu();
    for (const ApplicationElement& element : ApplicationMenuData()) {
        const QString label = text(element.label);
        switch (element.item) {
        case ApplicationItem::Command:
            menu.AddCommand(element.id, label, element.image);
            break;
        case ApplicationItem::PresetMenu:
        case ApplicationItem::TagPresetMenu: {
            const bool projects = element.item == ApplicationItem::PresetMenu;
            QMenu* sub = menu.AddSubMenu(element.id, label, element.image);
            menu.AddSubLabel(*sub, text(element.caption));
            auto& names = projects ? presets.presets : presets.tagPresets;
            names = CPresetList::List(sources.presetsFolder,
                                      projects ? CPresetList::kPresetExtension : CPresetList::kTagPresetExtension);
            addPresetItems(menu, *sub, names, ToInt(projects ? CommandId::PresetFirst : CommandId::TagPresetFirst));
            break;
        }
        case ApplicationItem::PrintMenu: {
            QMenu* sub = menu.AddSubMenu(element.id, label, element.image);
            menu.AddSubLabel(*sub, text(element.caption));
            for (const ApplicationSubItem& item : PrintMenuData())
                menu.AddSubCommand(*sub, item.id, text(item.label), item.image);
            break;
        }
        case ApplicationItem::Separator:
            menu.AddSeparatorItem();
            break;
        case ApplicationItem::RecentFiles:
            menu.AddRecentFiles(text(element.caption));
            break;
        case ApplicationItem::BottomCommand:
            menu.AddBottomCommand(element.id, label, element.image);
            break;
        }
    }
}

void buildTabRow(CRibbonBar& bar)
{
    auto* looks = new QMenu;
    auto* group = new QActionGroup(looks);
    for (const LookItem& look : LooksMenuData()) {
        QAction* action = looks->addAction(text(look.label));
        action->setCheckable(true);
        group->addAction(action);
        const int id = look.id;
        QObject::connect(action, &QAction::triggered, &bar, [&bar, id] { bar.Execute(id, nullptr); });
        bar.RegisterAction(id, action);
        bar.RegisterCommand(id, text(look.label), {});
    }
    bar.AddTabRowMenu(QStringLiteral("Application theme\ns"), CEditorIcons::Icon(IconStrip::Frame, CEditorIcons::kLooks), looks);
    bar.AddTabRowButton(ToInt(CommandId::Help), QStringLiteral("Help"), CEditorIcons::Icon(IconStrip::Frame, CEditorIcons::kHelp));
    bar.AddTabRowButton(ToInt(CommandId::AppAbout), QStringLiteral("About"),
                        CEditorIcons::Icon(IconStrip::Frame, CEditorIcons::kAbout));
}

} // namespace

bool CRibbonLayout::CreateRibbon(CRibbonBar& bar, const CRibbonSources& sources, CRibbonPresets* presets)
{
    bar.SetImageSource([](int strip, int index) { return CEditorIcons::Icon(strip, index); });
    bar.SetApplicationImages({int(IconStrip::Main), int(IconStrip::MainLarge)});
    bar.ApplicationButton()->setIcon(CEditorIcons::ProgramIcon());
    CRibbonPresets found;
    buildApplicationMenu(bar, sources, found);
    Building building{bar, sources};
    if (!addElements(building, RibbonLayoutData()))
        return false;
    for (const QuickAccessDefault& entry : QuickAccessDefaults())
        bar.QuickAccess().AddCommand(entry.id, entry.place);
    buildTabRow(bar);
    if (presets)
        *presets = std::move(found);
    return true;
}

void CRibbonLayout::AddInsertButton(CRibbonPanel& panel, int id, const QString& label)
{
    panel.AddButton(id, label, CEditorIcons::Icon(IconStrip::Insert, InsertImage(id)), RibbonButtonSize::Small);
}

void CRibbonLayout::AddActionButton(CRibbonPanel& panel, int id, const QString& label)
{
    panel.AddButton(id, label, CEditorIcons::Icon(IconStrip::Actions, ActionImage(id)), RibbonButtonSize::Small);
}

int CRibbonLayout::InsertImage(int id)
{
    const auto rows = CObjectTypeTable::Rows();
    for (std::size_t row = 0; row < rows.size(); ++row)
        if (rows[row].commandId == id)
            return row > kLastObjectRow ? -1 : rows[row].icon;
    return rows[0].icon;
}

int CRibbonLayout::ActionImage(int id)
{
    const auto& rows = ActionTable();
    for (std::size_t row = 0; row < rows.size(); ++row)
        if (rows[row].commandId == id)
            return row > kLastActionRow ? -1 : rows[row].imageIndex;
    return rows[0].imageIndex;
}

namespace {

std::vector<int> generatedIds(RibbonItem kind)
{
    std::vector<int> ids;
    for (const RibbonElement& element : RibbonLayoutData())
        if (element.item == kind)
            ids.push_back(element.id);
    return ids;
}

} // namespace

std::vector<int> CRibbonLayout::InsertCommandIds() { return generatedIds(RibbonItem::InsertButton); }

std::vector<int> CRibbonLayout::ActionCommandIds() { return generatedIds(RibbonItem::ActionButton); }
