#include "editor/views/properties/CPropertiesBar.h"

#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "editor/document/CPropertyBase.h"
#include "editor/document/CPropertySelectedList.h"
#include "editor/document/CSelectable.h"
#include "editor/objects/CEditorObject.h"
#include "editor/objects/shared/CObjectProperty.h"
#include "editor/project/document/CProject.h"
#include "editor/views/page/ISelectableContents.h"
#include "editor/views/properties/CPropertyGrid.h"
#include "editor/views/properties/DPropBool.h"
#include "editor/views/properties/DPropColor.h"
#include "editor/views/properties/DPropColors.h"
#include "editor/views/properties/DPropFile.h"
#include "editor/views/properties/DPropFiles.h"
#include "editor/views/properties/DPropInt.h"
#include "editor/views/properties/DPropList.h"
#include "editor/views/properties/DPropMessages.h"
#include "editor/views/properties/DPropMultiText.h"
#include "editor/views/properties/DPropText.h"
#include "foundation/target/TargetFormat.h"

namespace {

constexpr std::u16string_view kContainer = u"Properties";
constexpr std::u16string_view kNavigation = u"Navigation";
constexpr int32_t kSliderType = 18;
constexpr int32_t kListBoxType = 20;
constexpr int32_t kDynamicListBoxType = 21;
// The alignment code of "Center", the only one without a tick placement.
constexpr char16_t kCentreLetter = u'c';
// "By visible items": the fourth letter tells the item size forms apart.
constexpr std::size_t kSizeFormLetter = 3;
constexpr char16_t kVisibleItemsLetter = u'v';

struct ItemArguments {
    CEditorHost& host;
    std::shared_ptr<DPropSelection> selection;
    std::u16string_view category;
    const CPropertyBase& property;
    CPropertyValue value;
    ValueState state;
};

using ItemFactory = std::unique_ptr<DProp> (*)(ItemArguments&&);

template <class Item>
std::unique_ptr<DProp> makeItem(ItemArguments&& a)
{
    return std::make_unique<Item>(a.host, std::move(a.selection), a.category, a.property, std::move(a.value), a.state);
}

// By property kind; groups and kinds without an editor of their own get no item.
constexpr std::array<ItemFactory, 12> kItemFactories = {
    nullptr,                    // group
    makeItem<DPropText>,        // string
    makeItem<DPropList>,        // list
    makeItem<DPropColor>,       // color
    makeItem<DPropFile>,        // relFile
    makeItem<DPropInt>,         // int
    makeItem<DPropColors>,      // Colors
    makeItem<DPropMessages>,    // Messages
    makeItem<DPropFiles>,       // RelFiles
    nullptr,                    // none
    makeItem<DPropBool>,        // bool
    makeItem<DPropMultiText>,   // multiText
};

ItemFactory factoryOf(PropertyKind kind)
{
    const auto index = std::size_t(kind);
    return index < kItemFactories.size() ? kItemFactories[index] : nullptr;
}

// The value an item starts with, taken from the first selected item's property.
CPropertyValue itemValue(CPropertyBase& property, const DPropListContext& context)
{
    switch (property.GetKind()) {
    case PropertyKind::Int:
        return CPropertyValue(property.GetInt());
    case PropertyKind::Color:
        return CPropertyValue(property.GetUInt());
    case PropertyKind::Bool:
        return CPropertyValue(property.GetBool());
    case PropertyKind::List: {
        const std::u16string choice = property.GetListValue();
        // A list that still holds its whole option list takes its first option.
        property.SetValue(CPropertyValue(choice));
        return CPropertyValue(DPropListSource::ToDisplay(property.GetOptionsText(), choice, context));
    }
    default:
        return CPropertyValue(property.GetValueText());
    }
}

} // namespace

CPropertiesBar::CPropertiesBar(CEditorHost& host, QWidget* parent) : QWidget(parent), m_host(host)
{
    setWindowTitle(tr("Properties"));
    m_grid = new CPropertyGrid(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);
}

CPropertiesBar::~CPropertiesBar()
{
    DropSelection();
}

std::span<CSelectable* const> CPropertiesBar::GetSelection() const
{
    if (!m_selection)
        return {};
    return m_selection->items;
}

void CPropertiesBar::DropSelection()
{
    // Items that outlive the grid for a moment see an empty selection.
    if (m_selection)
        m_selection->items.clear();
    m_selection.reset();
    m_grid->RemoveAll();
}

void CPropertiesBar::OnSelectableGoing(const CSelectable& item)
{
    for (const CSelectable* shown : GetSelection()) {
        const auto* object = dynamic_cast<const CEditorObject*>(shown);
        if (shown == &item || (object && object->GetPage() == &item)) {
            DropSelection();
            return;
        }
    }
}

bool CPropertiesBar::IsPropertyVisible(const CPropertyBase& property, const CSelectable& first)
{
    const std::u16string& caption = property.GetCaption();
    const int32_t type = first.GetObjectTypeIndex();
    if (type == kSliderType && (caption == u"Tick placement" || caption == u"Tick offset [%]")) {
        const CPropertyBase* alignment = first.FindProperty(u"Ticks & Labels", u"Tick alignment");
        return alignment && CObjectProperty::ChoiceLetter(alignment->GetListValue()) != kCentreLetter;
    }
    if (type == kListBoxType || type == kDynamicListBoxType) {
        const bool byVisibleItems =
            CObjectProperty::ChoiceLetter(first, u"Appearance", u"Item size form", kSizeFormLetter) == kVisibleItemsLetter;
        if (caption == u"Item height")
            return !byVisibleItems;
        if (caption == u"Visible items")
            return byVisibleItems;
    }
    return true;
}

void CPropertiesBar::FillProperties(const CPropertySelectedList& selection, PropertiesRefill refill)
{
    Fill(selection, refill, nullptr);
}

void CPropertiesBar::FillProperties(const ISelectableContents& view, PropertiesRefill refill)
{
    CPropertySelectedList selection;
    view.GetSelection(selection);
    Fill(selection, refill, &view);
}

void CPropertiesBar::Fill(const CPropertySelectedList& selection, PropertiesRefill refill,
                          const ISelectableContents* view)
{
    const auto items = selection.GetSelection();
    const bool inPlace = refill == PropertiesRefill::InPlace && m_selection && !m_grid->IsEmpty()
                         && std::equal(items.begin(), items.end(), m_selection->items.begin(), m_selection->items.end());
    if (!inPlace) {
        DropSelection();
        m_selection = std::make_shared<DPropSelection>();
        m_selection->items.assign(items.begin(), items.end());
    }
    if (items.empty())
        return;
    CSelectable& first = *items.front();
    const CProject* project = m_host.GetProject();
    const bool navigation = project && (uint32_t(project->Settings().target.targetFlags) & target::kTargetFlagFocusTracking);
    for (const auto& category : first.GetProperties().GetCategories())
        if (category->GetName() != kNavigation || navigation)
            FillCategory(first, category->GetName(), inPlace ? PropertiesRefill::InPlace : PropertiesRefill::Full, view);
}

void CPropertiesBar::FillCategory(const CSelectable& first, std::u16string_view categoryName, PropertiesRefill refill,
                                  const ISelectableContents* view)
{
    const CPropertyCategory* category = first.GetProperties().FindCategory(categoryName);
    const bool topLevel = categoryName == DProp::kTopLevelCategory;
    std::vector<std::unique_ptr<DProp>> made;
    for (const auto& property : category->GetProperties()) {
        if (property->GetCaption().starts_with(u'_') || !IsPropertyVisible(*property, first))
            continue;
        const ItemFactory factory = factoryOf(property->GetKind());
        if (!factory || (topLevel && (property->GetKind() != PropertyKind::String || refill == PropertiesRefill::InPlace)))
            continue;
        // Only the selected objects are merged; the page alone is its own value.
        CPropertySelectedList merged;
        if (view)
            view->CollectProperty(kContainer, categoryName, property->GetCaption(), merged);
        else
            for (const CSelectable* item : m_selection->items)
                if (!item->IsPage())
                    item->MergeProperty(kContainer, categoryName, property->GetCaption(), merged);
        if (merged.GetMergeState() == MergeState::Missing)
            continue;
        const ValueState state = merged.IsMixed() ? ValueState::Mixed : ValueState::Common;
        const DPropListContext context{m_host.GetProject(), &first, property->GetCaption()};
        CPropertyValue value = itemValue(*property, context);
        if (state == ValueState::Mixed)
            value = CPropertyValue(u"");
        made.push_back(factory({m_host, m_selection, categoryName, *property, std::move(value), state}));
    }
    if (made.empty())
        return;
    if (refill == PropertiesRefill::Full) {
        m_grid->AddGroup(topLevel ? std::u16string_view() : categoryName, std::move(made));
        return;
    }
    for (const auto& item : made)
        if (DProp* shown = m_grid->FindItem(categoryName, item->GetName()))
            if (!(shown->GetValue() == item->GetValue()) || shown->IsMixed() != item->IsMixed())
                shown->SetValue(item->GetValue(), item->IsMixed() ? ValueState::Mixed : ValueState::Common);
}
