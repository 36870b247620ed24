#include "editor/views/properties/DProp.h"

#include <QDialog>
#include <QWidget>

#include "diagram/CDiagramEntityContainer.h"
#include "editor/document/CPropertyBase.h"
#include "editor/document/CSelectable.h"
#include "editor/objects/CEditorObject.h"
#include "editor/objects/CObjectNames.h"
#include "editor/project/document/CProject.h"
#include "editor/project/document/CProjectPrompts.h"
#include "editor/project/page/CPage.h"
#include "editor/views/CEditorHost.h"
#include "editor/views/properties/DPropListSource.h"
#include "editor/views/properties/PropertyMessages.h"

namespace {

constexpr std::u16string_view kNameCaption = u"Name";
constexpr int32_t kSliderType = 18;

DProp::DialogRunner& dialogRunner()
{
    static DProp::DialogRunner runner;
    return runner;
}

// Another object of the object's page has that name already.
bool nameUsedByAnother(const CEditorObject& object, std::u16string_view name)
{
    if (const CDiagramEntityContainer* editor = object.GetOwnerEditor()) {
        const CEditorObject* found = CObjectNames::FindPageObject(*editor, name, NameKind::Current);
        return found && found != &object;
    }
    if (const auto* page = dynamic_cast<const CPage*>(object.GetPage()))
        for (const auto& other : page->GetObjects())
            if (other.get() != &object && CObjectNames::GetName(*other, NameKind::Current) == name)
                return true;
    return false;
}

} // namespace

DProp::DProp(CEditorHost& host, std::shared_ptr<DPropSelection> selection, std::u16string_view category,
             const CPropertyBase& property, CPropertyValue value, ValueState state)
    : m_host(host), m_selection(std::move(selection)), m_category(category), m_name(property.GetCaption()),
      m_description(property.GetDescription()), m_kind(property.GetKind()), m_original(value),
      m_value(std::move(value)), m_state(state)
{
}

DProp::~DProp() = default;

QWidget* DProp::GetEditor(QWidget* parent)
{
    if (!m_editor) {
        m_editor = MakeEditor(parent);
        ShowValue();
        // Several objects never share one name.
        if (IsTopLevel() && m_name == kNameCaption && Selection().size() > 1)
            SetEditable(false);
    }
    return m_editor;
}

void DProp::SetEditable(bool editable)
{
    if (m_editor)
        m_editor->setEnabled(editable);
}

void DProp::SetValue(const CPropertyValue& value, ValueState state)
{
    m_original = value;
    m_value = value;
    m_state = state;
    m_edited = false;
    if (m_editor)
        ShowValue();
}

void DProp::Retire()
{
    m_retired = true;
    m_selection.reset();
    if (!m_editor)
        return;
    disconnect(m_editor, nullptr, this, nullptr);
    for (QObject* part : m_editor->findChildren<QObject*>())
        disconnect(part, nullptr, this, nullptr);
}

const std::vector<CSelectable*>& DProp::Selection() const
{
    static const std::vector<CSelectable*> none;
    return m_selection ? m_selection->items : none;
}

CSelectable* DProp::First() const
{
    const auto& items = Selection();
    return items.empty() ? nullptr : items.front();
}

void DProp::UserChanged(CPropertyValue value)
{
    m_value = std::move(value);
    m_edited = true;
}

void DProp::RestoreOriginal()
{
    m_value = m_original;
    m_edited = false;
    if (m_editor)
        ShowValue();
}

void DProp::OnEndEdit()
{
    // Entering and leaving a field of a multiple selection leaves every item as it was.
    if (IsMixed() && !m_edited)
        return;
    ApplyToSelection();
}

void DProp::ApplyToSelection(std::optional<std::u16string> text)
{
    if (m_retired)
        return;
    const CPropertyValue value = text ? CPropertyValue(*text) : m_value;
    if (IsTopLevel())
        ApplyName(value);
    else
        ApplyInCategory(value);
}

void DProp::ApplyInCategory(const CPropertyValue& value)
{
    const std::u16string text = value.Text();
    // By index: an item that goes away meanwhile empties the selection.
    for (std::size_t i = 0; i < Selection().size(); ++i) {
        CSelectable& item = *Selection()[i];
        CPropertyContainer& properties = item.GetProperties();
        if (!properties.ValueDiffers(m_category, m_name, text))
            continue;
        properties.SetPropertyValue(m_category, m_name, value);
        item.Invalidate();
        ApplyFollowUps(item, value);
    }
    m_state = ValueState::Common;
    m_edited = false;
    m_original = m_value;
}

void DProp::ApplyFollowUps(CSelectable& item, const CPropertyValue& value)
{
    if (m_category == CPage::kPageGroup) {
        auto* page = dynamic_cast<CPage*>(&item);
        if (!page)
            return;
        if (m_name == CPage::kBackgroundTransparency)
            page->SetBackgroundTransparency(value.ToInt());
        else if (m_name == CPage::kBackgroundImage)
            page->SetBackgroundImage(value.Text());
        else if (m_name == CPage::kBackgroundColor)
            page->SetBackgroundColor(value.ToUInt());
        else if (m_name == CPage::kPageType) {
            if (CProject* project = m_host.GetProject())
                project->EnforceUniquePageType(*page);
            // The project pane's icons show every page's type.
            m_host.RebuildProjectTree(page);
        }
        return;
    }
    if (m_category == u"Appearance" && m_name == u"DTC choice") {
        const std::u16string_view format = DPropListSource::DateTimeFormats(value.Text()).front();
        if (item.GetProperties().SetPropertyValue(u"Appearance", u"DTC format", CPropertyValue(format)))
            m_host.RequestPropertiesRefill(PropertiesRefill::InPlace);
        return;
    }
    if (m_category == u"Appearance" && m_name == u"Item size form") {
        m_host.RequestPropertiesRefill(PropertiesRefill::Full);
        return;
    }
    if (m_category == u"Ticks & Labels" && m_name == u"Tick alignment" && item.GetObjectTypeIndex() == kSliderType) {
        m_host.RequestPropertiesRefill(PropertiesRefill::Full);
        return;
    }
    if (m_category == u"Position & Size") {
        auto* entity = dynamic_cast<CDiagramEntity*>(&item);
        if (!entity)
            return;
        const double number = value.ToInt();
        if (m_name == u"X")
            entity->MoveToX(number);
        else if (m_name == u"Y")
            entity->MoveToY(number);
        else if (m_name == u"Width")
            entity->SetWidth(number);
        else if (m_name == u"Height")
            entity->SetHeight(number);
        item.Invalidate();
    }
}

void DProp::ApplyName(const CPropertyValue& value)
{
    if (m_name != kNameCaption || Selection().size() != 1)
        return;
    const std::u16string name = value.Text();
    auto* object = dynamic_cast<CEditorObject*>(First());
    if (!object)
        return;
    if (name.empty() || nameUsedByAnother(*object, name)) {
        RestoreOriginal();
        m_host.GetPrompts().ShowMessage(name.empty() ? PropertyMessages::kNameEmpty : PropertyMessages::kNameUsed);
        return;
    }
    if (object->GetProperties().SetPropertyValue(kTopLevelCategory, kNameCaption, value))
        m_host.RebuildObjectsPane();
    m_original = m_value = value;
    m_edited = false;
}

void DProp::SetDialogRunner(DialogRunner runner)
{
    dialogRunner() = std::move(runner);
}

int DProp::RunDialog(QDialog& dialog)
{
    return dialogRunner() ? dialogRunner()(dialog) : dialog.exec();
}
