#include "editor/views/actions/CActionsBar.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <algorithm>

#include "editor/document/ActionTable.h"
#include "editor/document/CCompileReport.h"
#include "editor/document/CObjectTypeTable.h"
#include "editor/document/CPropertyBase.h"
#include "editor/document/CSelectable.h"
#include "editor/project/document/CProject.h"
#include "editor/project/document/CProjectOutput.h"
#include "editor/project/document/CProjectSettings.h"
#include "editor/views/CEditorHost.h"
#include "editor/views/CTransparentStatic.h"
#include "editor/views/actions/CActionReferences.h"
#include "foundation/TextHelpers.h"

namespace {

constexpr std::u16string_view kBehavior = u"Behavior";
constexpr std::u16string_view kActionScript = u"_Action script";
constexpr std::u16string_view kEditError = u"Error on edit action: ";

// The pane's layout in dialog units, and how each control follows a change in size.
constexpr QSize kDesignSize{170, 292};
struct ControlPlace {
    QRect units;   // left, top, width, height
    unsigned anchor;
};
constexpr unsigned kHalfRight = CDlgResizeLayout::RightFollowsHalf;
constexpr unsigned kRightHalf = CDlgResizeLayout::LeftFollowsHalf | CDlgResizeLayout::RightFollows;
constexpr std::array<ControlPlace, 4> kPromptPlaces{{
    {QRect(QPoint(5, 2), QPoint(80, 34) - QPoint(1, 1)), kHalfRight},
    {QRect(QPoint(85, 2), QPoint(162, 34) - QPoint(1, 1)), kRightHalf},
    {QRect(QPoint(5, 23), QPoint(80, 61) - QPoint(1, 1)), kHalfRight},
    {QRect(QPoint(85, 23), QPoint(162, 63) - QPoint(1, 1)), kRightHalf},
}};
constexpr std::array<ControlPlace, 4> kBoxPlaces{{
    {QRect(QPoint(5, 10), QPoint(80, 146) - QPoint(1, 1)), kHalfRight},
    {QRect(QPoint(85, 10), QPoint(162, 146) - QPoint(1, 1)), kRightHalf},
    {QRect(QPoint(5, 31), QPoint(80, 173) - QPoint(1, 1)), kHalfRight},
    {QRect(QPoint(85, 31), QPoint(162, 173) - QPoint(1, 1)), kRightHalf},
}};
constexpr ControlPlace kGridPlace{QRect(QPoint(0, 46), QPoint(170, 290) - QPoint(1, 1)), CDlgResizeLayout::kGrows};

constexpr std::array<std::u16string_view, 8> kKeyNames{u"Enter", u"Escape", u"Left", u"Up",
                                                       u"Right", u"Down", u"Delete", u"Backspace"};
constexpr std::array<std::u16string_view, 4> kLayers{u"0", u"1", u"2", u"3"};
constexpr int kOperatorCount = 6;

QString qt(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

uint32_t actionOf(const CActionsGridData& entry)
{
    return FindActionByName(entry.action, CProjectSettings::kFormatVersion);
}

struct TriggerByType {
    int32_t first;
    int32_t last;
    std::u16string_view trigger;
};
constexpr std::array<TriggerByType, 5> kDefaultTriggers{{
    {11, 11, u"On touch up"},
    {17, 21, u"On touch up"},
    {12, 15, u"On high alarm on"},
    {23, 23, u"On tag change"},
    {kPageObjectType, kPageObjectType, u"On entering page"},
}};

} // namespace

CActionsBar::CActionsBar(CEditorHost& host, QWidget* parent) : QWidget(parent), m_host(host)
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    const QFontMetrics metrics(font());
    const int baseX = metrics.averageCharWidth();
    const int baseY = metrics.height();
    const auto pixels = [&](const QRect& units) { return CDlgResizeLayout::DlgUnitsToPixels(units, baseX, baseY); };
    resize(pixels(QRect(QPoint(0, 0), kDesignSize)).size());

    for (std::size_t i = 0; i < m_prompts.size(); ++i) {
        m_prompts[i] = new CTransparentStatic(QStringLiteral("Parameter%1").arg(i + 1), this);
        m_prompts[i]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        m_prompts[i]->setGeometry(pixels(kPromptPlaces[i].units));
    }
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        m_boxes[i] = new QComboBox(this);
        m_boxes[i]->setEditable(true);
        m_boxes[i]->setInsertPolicy(QComboBox::NoInsert);
        m_boxes[i]->setObjectName(QStringLiteral("box%1").arg(kBoxIds[i]));
        QRect place = pixels(kBoxPlaces[i].units);
        // The template's height is that of the opened list; the box itself keeps its own.
        place.setHeight(m_boxes[i]->sizeHint().height());
        m_boxes[i]->setGeometry(place);
        connect(m_boxes[i], &QComboBox::editTextChanged, this, &CActionsBar::OnParameterEdited);
    }
    m_grid = new CActionsEditor(host, this);
    m_grid->setObjectName(QStringLiteral("grid%1").arg(kGridId));
    m_grid->setGeometry(pixels(kGridPlace.units));
    connect(m_grid, &CActionsEditor::RowSelectionChanged, this, &CActionsBar::OnSelectionChanged);
    connect(m_grid, &CActionsEditor::EntriesChanged, this, &CActionsBar::OnSelectionChanged);

    m_layout.Init(this);
    for (std::size_t i = 0; i < m_prompts.size(); ++i) {
        m_layout.Add(m_prompts[i], kPromptPlaces[i].anchor);
        m_layout.Add(m_boxes[i], kBoxPlaces[i].anchor);
    }
    m_layout.Add(m_grid, kGridPlace.anchor);
    m_created = true;
    UpdateParameterPrompts();
}

CActionsBar::~CActionsBar() = default;

void CActionsBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_layout.Apply(CDlgResizeLayout::SizeType::Restored, event->size().width(), event->size().height());
}

std::u16string CActionsBar::DefaultTrigger(int32_t objectTypeIndex)
{
    for (const TriggerByType& row : kDefaultTriggers)
        if (objectTypeIndex >= row.first && objectTypeIndex <= row.last)
            return std::u16string(row.trigger);
    return {};
}

uint32_t CActionsBar::KeyNameToCode(std::u16string_view keyName)
{
    return KeyWordFromText(keyName);
}

bool CActionsBar::HasTarget() const
{
    return m_grid->GetTarget() != nullptr;
}

CSelectable* CActionsBar::GetTarget() const
{
    return m_grid->GetTarget();
}

void CActionsBar::StoreScript()
{
    m_grid->StoreScript();
}

void CActionsBar::ShowObjectActions(std::span<CSelectable* const> selection)
{
    m_grid->StoreScript();
    m_grid->DropTarget();
    m_defaultTrigger.clear();
    if (selection.size() == 1 && selection.front()) {
        CSelectable* item = selection.front();
        if (const CPropertyBase* script = item->FindProperty(kBehavior, kActionScript)) {
            m_defaultTrigger = DefaultTrigger(item->GetObjectTypeIndex());
            m_grid->SetTarget(item);
            LoadScript(script->GetValueText(), ScriptLoading::Display);
            m_grid->RebuildRows(-1);
        }
    }
    m_promptedEntry = -1;
    UpdateParameterPrompts();
}

void CActionsBar::LoadScript(std::u16string_view text, ScriptLoading loading)
{
    const CProject* project = m_host.GetProject();
    const int formatVersion = project ? project->GetReadFormatVersion() : CProjectSettings::kFormatVersion;
    CActionScriptRows::Parsed parsed = CActionScriptRows::FromScript(
        text, formatVersion, CActionReferences(project, m_grid->GetTarget()),
        loading == ScriptLoading::Display ? NameDirection::ToCurrent : NameDirection::ToOriginal);
    if (!parsed.error.empty())
        m_host.GetOutput().AppendLine(std::u16string(kEditError) + utf8ToWide(parsed.error),
                                      CCompileReport::kMessageColor, nullptr, nullptr);
    m_grid->SetEntries(std::move(parsed.rows));
}

int CActionsBar::RewriteScript(std::u16string& text)
{
    const CProject* project = m_host.GetProject();
    const CActionReferences references(project, nullptr);
    const int formatVersion = project ? project->GetReadFormatVersion() : CProjectSettings::kFormatVersion;
    const CActionScriptRows::Parsed parsed =
        CActionScriptRows::FromScript(text, formatVersion, references, NameDirection::ToOriginal);
    if (parsed.rows.empty())
        return 0;
    std::u16string rewritten = utf8ToWide(CActionScriptRows::ToScript(parsed.rows, references, ScriptForm::Raw));
    if (rewritten == text)
        return 0;
    text = std::move(rewritten);
    return 1;
}

void CActionsBar::OnSelectableGoing(const CSelectable& going)
{
    if (!m_grid->OnSelectableGoing(going))
        return;
    m_defaultTrigger.clear();
    m_promptedEntry = -1;
    UpdateParameterPrompts();
}

void CActionsBar::ForgetProject()
{
    m_grid->DropTarget();
    m_defaultTrigger.clear();
    m_promptedEntry = -1;
    UpdateParameterPrompts();
}

void CActionsBar::InsertAction(int32_t commandId)
{
    if (!m_grid->GetTarget())
        return;
    std::vector<CActionsGridData>& entries = m_grid->Entries();
    const int32_t selected = m_grid->SelectedEntry();
    const std::optional<std::u16string> group = m_grid->SelectedGroup();
    const auto newEntry = [](std::u16string trigger) {
        return CActionsGridData{std::move(trigger), std::u16string(CActionsGridData::kNewAction), {}, 0};
    };
    int32_t row = 0;
    if (selected >= 0 && entries[std::size_t(selected)].IsPlaceholder()) {
        row = selected;
        entries.insert(entries.begin() + row, newEntry(entries[std::size_t(row)].trigger));
    } else if (group) {
        const auto first = std::find_if(entries.begin(), entries.end(),
                                        [&](const CActionsGridData& entry) { return entry.trigger == *group; });
        row = int32_t(first - entries.begin());
        entries.insert(first, newEntry(*group));
    } else if (selected >= 0) {
        row = selected + 1;
        entries.insert(entries.begin() + row, newEntry(entries[std::size_t(selected)].trigger));
    } else {
        const bool lastHasTrigger = !entries.empty() && !entries.back().trigger.empty();
        row = int32_t(entries.size());
        entries.push_back(newEntry(lastHasTrigger ? entries.back().trigger : m_defaultTrigger));
    }
    m_grid->RebuildRows(row);
    row = m_grid->SelectedEntry();
    m_grid->setFocus();

    std::array<QString, 4> prompts;
    std::array<QString, 4> texts;
    for (std::size_t i = 0; i < prompts.size(); ++i) {
        prompts[i] = m_prompts[i]->text();
        texts[i] = m_boxes[i]->currentText();
    }

    const auto& table = ActionTable();
    const auto found = std::find_if(table.begin(), table.end(),
                                    [commandId](const ActionRow& action) { return action.commandId == commandId; });
    const std::u16string name(found == table.end() ? table[0].displayName : found->displayName);
    if (row >= 0 && entries[std::size_t(row)].action != name) {
        m_grid->SetEntryAction(row, name);
        m_grid->SetEntryParameters(row, {});
    }

    UpdateParameterPrompts();
    for (std::size_t i = 0; i < prompts.size(); ++i)
        if (m_boxes[i]->isEnabled() && m_prompts[i]->text() == prompts[i]) {
            const QSignalBlocker blocker(m_boxes[i]);
            m_boxes[i]->setEditText(texts[i]);
        }
    ApplyBoxesToRow(row);
    m_grid->SetDirty(true);
    m_host.MarkProjectModified();
}

void CActionsBar::OnSelectionChanged()
{
    if (!m_created || m_grid->IsDragging())
        return;
    UpdateParameterPrompts();
}

ActionParameters::Boxes CActionsBar::BoxTexts() const
{
    ActionParameters::Boxes texts;
    for (std::size_t i = 0; i < m_boxes.size(); ++i)
        texts[i] = m_boxes[i]->isEnabled() ? m_boxes[i]->currentText().toStdU16String() : std::u16string();
    return texts;
}

void CActionsBar::ApplyBoxesToRow(int32_t entry)
{
    const std::vector<CActionsGridData>& entries = m_grid->Entries();
    if (entry < 0 || entry >= int32_t(entries.size()))
        return;
    const uint32_t action = actionOf(entries[std::size_t(entry)]);
    if (ActionParameters::Prompts(action).pairs == 0)
        return;
    const std::u16string text = ActionParameters::Format(action, BoxTexts());
    if (text == entries[std::size_t(entry)].parameters)
        return;
    m_grid->SetEntryParameters(entry, text);
    m_grid->SetDirty(true);
}

void CActionsBar::OnParameterEdited()
{
    const std::vector<CActionsGridData>& entries = m_grid->Entries();
    const int32_t entry = m_promptedEntry;
    if (entry < 0 || entry >= int32_t(entries.size()))
        return;
    const std::u16string before = entries[std::size_t(entry)].parameters;
    ApplyBoxesToRow(entry);
    if (entries[std::size_t(entry)].parameters == before)
        return;
    m_host.MarkProjectModified();
    m_grid->StoreScript();
}

void CActionsBar::ClearPrompts(int fromPair)
{
    for (int i = fromPair; i < int(m_boxes.size()); ++i) {
        const QSignalBlocker blocker(m_boxes[std::size_t(i)]);
        m_boxes[std::size_t(i)]->clear();
        m_boxes[std::size_t(i)]->setEditText({});
        m_boxes[std::size_t(i)]->setEnabled(false);
        m_prompts[std::size_t(i)]->SetText({});
        m_prompts[std::size_t(i)]->setEnabled(false);
    }
}

void CActionsBar::FillBox(int index, const ParameterPrompt& prompt, uint32_t signatureLetter, const std::u16string& text)
{
    QComboBox* box = m_boxes[std::size_t(index)];
    const QSignalBlocker blocker(box);
    box->clear();
    const CActionReferences references(m_host.GetProject(), m_grid->GetTarget());
    const TagKind kind = signatureLetter == 'T' ? TagKind::String : TagKind::Numeric;
    std::vector<std::u16string> options;
    switch (prompt.list) {
    case ParameterList::None:
        break;
    case ParameterList::Tags:
        options = references.TagNames(kind, signatureLetter == 't' ? CActionReferences::SystemTags::Add
                                                                   : CActionReferences::SystemTags::Leave);
        break;
    case ParameterList::ValueTags:
        options = references.TagNames(kind, kind == TagKind::Numeric ? CActionReferences::SystemTags::Add
                                                                     : CActionReferences::SystemTags::Leave);
        break;
    case ParameterList::Pages:
        options = references.PageNames();
        break;
    case ParameterList::Objects:
        options = references.ObjectNames();
        break;
    case ParameterList::Keys:
        options.assign(kKeyNames.begin(), kKeyNames.end());
        break;
    case ParameterList::Layers:
        options.assign(kLayers.begin(), kLayers.end());
        break;
    case ParameterList::Obey:
        options = {std::u16string(ActionParameters::kFalse), std::u16string(ActionParameters::kTrue)};
        break;
    case ParameterList::BitwiseOperators:
        for (int code = 0; code < kOperatorCount; ++code)
            options.push_back(BitwiseOperatorText(uint32_t(code)));
        break;
    case ParameterList::CompareOperators:
        for (int code = 0; code < kOperatorCount; ++code)
            options.push_back(CompareOperatorText(uint32_t(code)));
        break;
    }
    for (const std::u16string& option : options)
        box->addItem(qt(option));
    const int chosen = text.empty() ? -1 : box->findText(qt(text), Qt::MatchExactly | Qt::MatchCaseSensitive);
    box->setCurrentIndex(chosen);
    if (chosen < 0)
        box->setEditText(qt(text));
    box->setEnabled(true);
    m_prompts[std::size_t(index)]->SetText(qt(prompt.text));
    m_prompts[std::size_t(index)]->setEnabled(true);
}

void CActionsBar::UpdateParameterPrompts()
{
    if (!m_created)
        return;
    const int32_t entry = m_grid->SelectedEntry();
    m_promptedEntry = entry;
    const std::vector<CActionsGridData>& entries = m_grid->Entries();
    if (entry < 0 || entry >= int32_t(entries.size())) {
        ClearPrompts(0);
        return;
    }
    const CActionsGridData& row = entries[std::size_t(entry)];
    const uint32_t action = actionOf(row);
    const ActionPrompts prompts = ActionParameters::Prompts(action);
    const ActionParameters::Boxes texts = ActionParameters::Split(action, row.parameters);
    const std::string_view signature = target::actionSignature(action);
    const uint32_t letter = signature.empty() ? 0 : uint32_t(signature.front());
    for (int i = 0; i < prompts.pairs; ++i)
        FillBox(i, prompts.prompts[std::size_t(i)], letter, texts[std::size_t(i)]);
    ClearPrompts(prompts.pairs);
}
