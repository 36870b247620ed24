#include "editor/views/panes/CObjectsBar.h"

#include <QMetaObject>
#include <QSignalBlocker>
#include <array>

#include "diagram/CDiagramEntityContainer.h"
#include "diagram/CommandId.h"
#include "editor/document/CObjectTypeTable.h"
#include "editor/objects/CEditorObject.h"
#include "editor/objects/CObjectNames.h"
#include "editor/project/document/CProjectPrompts.h"
#include "editor/views/CEditorHost.h"
#include "editor/views/panes/ActivePage.h"
#include "editor/views/panes/CPaneTree.h"
#include "editor/views/panes/PaneTreeItems.h"

namespace {

constexpr std::array kObjectMenu{
    PaneMenuItem{u"Rename", ToInt(CommandId::RenameObject)},
    PaneMenuItem{u"Delete", ToInt(CommandId::DeleteObject)},
};

constexpr std::array<std::u16string_view, CObjectsBar::kGroupCount> kRootTexts{CObjectsBar::kVisibleRoot,
                                                                                 CObjectsBar::kLogicalRoot};
constexpr std::u16string_view kNameGroup = u"none";
constexpr std::u16string_view kNameCaption = u"Name";
constexpr std::u16string_view kScriptGroup = u"Behavior";
constexpr std::u16string_view kScriptCaption = u"_Action script";

QString qText(std::u16string_view text) { return QString::fromUtf16(text.data(), qsizetype(text.size())); }

int32_t imageOf(const CEditorObject& object)
{
    const auto rows = CObjectTypeTable::Rows();
    const int32_t type = object.GetObjectTypeIndex();
    return type > 0 && type < int32_t(rows.size()) && type <= kPageObjectType ? rows[std::size_t(type)].icon
                                                                              : PaneTreeItems::kNoImage;
}

void setBold(QTreeWidgetItem& item, bool bold)
{
    QFont font = item.font(0);
    if (font.bold() == bold)
        return;
    font.setBold(bold);
    item.setFont(0, font);
}

CEditorObject* editorObjectAt(const CDiagramEntityContainer& container, int32_t index)
{
    return index >= 0 && index < container.GetSize() ? dynamic_cast<CEditorObject*>(container.GetAt(index)) : nullptr;
}

} // namespace

CObjectsBar::CObjectsBar(CEditorHost& host, CommandTable& commands, QWidget* parent)
    : CTreePane(host, commands, QStringLiteral("objectsTree"), parent)
{
}

CObjectsBar::~CObjectsBar() = default;

std::span<const PaneMenuItem> CObjectsBar::ObjectMenu() { return kObjectMenu; }

int32_t CObjectsBar::GroupOf(const CEditorObject& object) { return object.IsInvisible() ? 1 : 0; }

PaneItemData::Overlay CObjectsBar::OverlayOf(const CEditorObject& object)
{
    if (object.IsLocked(kLockOverlayBits))
        return PaneItemData::Overlay::Locked;
    const CPropertyBase* script = object.FindProperty(kScriptGroup, kScriptCaption);
    if (script && std::size_t(QString::fromStdU16String(script->GetValueText()).trimmed().size()) >= kScriptOverlayLength)
        return PaneItemData::Overlay::Script;
    return PaneItemData::Overlay::None;
}

CDiagramEntityContainer* CObjectsBar::container() const { return ActivePage::Container(m_host); }

CEditorObject* CObjectsBar::objectOf(const QTreeWidgetItem* item) const
{
    CDiagramEntityContainer* objects = container();
    if (!objects || !item || !item->parent())
        return nullptr;
    return editorObjectAt(*objects, PaneItemData::ObjectIndex(PaneTreeItems::Data(*item)));
}

QTreeWidgetItem* CObjectsBar::groupRoot(int32_t group)
{
    QTreeWidgetItem* root = group < Tree()->topLevelItemCount() ? Tree()->topLevelItem(group) : nullptr;
    if (!root)
        root = new QTreeWidgetItem(Tree());
    PaneTreeItems::Set(*root, qText(kRootTexts[std::size_t(group)]), IconStrip::Insert, PaneTreeItems::kNoImage,
                       PaneItemData::GroupRoot(group));
    return root;
}

void CObjectsBar::Rebuild()
{
    const QSignalBlocker blocker(Tree());
    CDiagramEntityContainer* objects = container();
    if (!objects) {
        dropItems();
        return;
    }
    m_shown = objects;
    int32_t position = 0;
    for (int32_t group = 0; group < kGroupCount; ++group) {
        QTreeWidgetItem* root = groupRoot(group);
        int children = 0;
        for (int32_t i = 0; i < objects->GetSize(); ++i) {
            const CEditorObject* object = editorObjectAt(*objects, i);
            if (!object || GroupOf(*object) != group)
                continue;
            QTreeWidgetItem* item = children < root->childCount() ? root->child(children) : new QTreeWidgetItem(root);
            ++children;
            item->setFlags(item->flags() | Qt::ItemIsEditable);
            PaneTreeItems::Set(*item, QString::fromStdU16String(CObjectNames::GetName(*object, NameKind::Current)),
                               IconStrip::Insert, imageOf(*object), PaneItemData::ObjectItem(position++, i));
        }
        while (root->childCount() > children)
            delete root->takeChild(root->childCount() - 1);
        root->setExpanded(true);
    }
    UpdateItemStates();
}

bool CObjectsBar::UpdateItemStates()
{
    CDiagramEntityContainer* objects = container();
    if (!objects || objects != m_shown || Tree()->topLevelItemCount() != kGroupCount)
        return false;
    int32_t editorObjects = 0;
    for (int32_t i = 0; i < objects->GetSize(); ++i)
        editorObjects += editorObjectAt(*objects, i) != nullptr;
    int items = 0;
    for (int group = 0; group < kGroupCount; ++group)
        items += Tree()->topLevelItem(group)->childCount();
    if (items != editorObjects)
        return false;
    const QSignalBlocker blocker(Tree());
    bool anySelected = false;
    for (int group = 0; group < kGroupCount; ++group) {
        QTreeWidgetItem* root = Tree()->topLevelItem(group);
        for (int k = 0; k < root->childCount(); ++k) {
            QTreeWidgetItem* item = root->child(k);
            const CEditorObject* object = objectOf(item);
            if (!object)
                return false;
            anySelected |= object->IsSelected();
            setBold(*item, object->IsSelected());
            PaneTreeItems::SetOverlay(*item, IconStrip::Insert, OverlayOf(*object));
        }
    }
    setBold(*Tree()->topLevelItem(0), !anySelected);
    return true;
}

int32_t CObjectsBar::GetSelectedItemData() const
{
    const QTreeWidgetItem* item = Tree()->currentItem();
    return item ? PaneTreeItems::Data(*item) : 0;
}

bool CObjectsBar::IsObjectItemSelected() const { return objectOf(Tree()->currentItem()) != nullptr; }

bool CObjectsBar::StartLabelEdit() { return IsObjectItemSelected() && Tree()->StartLabelEdit(); }

Qt::KeyboardModifiers CObjectsBar::GetClickModifiers() const { return Tree()->ClickModifiers(); }

void CObjectsBar::DeleteSelectedObject()
{
    CDiagramEntityContainer* objects = container();
    QTreeWidgetItem* item = Tree()->currentItem();
    if (!objects || !objectOf(item))
        return;
    const int32_t index = PaneItemData::ObjectIndex(PaneTreeItems::Data(*item));
    objects->Snapshot(kRemoveLabel);
    objects->RemoveAt(index);
    ActivePage::Redraw(m_host);
    Rebuild();
}

void CObjectsBar::dropItems()
{
    const QSignalBlocker blocker(Tree());
    Tree()->CancelDrag();
    OnDragEnded();
    Tree()->clear();
    m_shown = nullptr;
}

void CObjectsBar::OnEntityRemoved(const CDiagramEntityContainer&, const CDiagramEntity&)
{
    // The positions the items hold are about to be wrong: show nothing until the
    // container has settled, then rebuild.
    dropItems();
    QMetaObject::invokeMethod(this, &CObjectsBar::Rebuild, Qt::QueuedConnection);
}

void CObjectsBar::OnClicked(QTreeWidgetItem*) { Post(ToInt(CommandId::SelectObject)); }

void CObjectsBar::OnDoubleClicked(QTreeWidgetItem* item)
{
    if (objectOf(item))
        Post(ToInt(CommandId::SelectObject));
}

std::span<const PaneMenuItem> CObjectsBar::MenuFor(QTreeWidgetItem* item) const
{
    return objectOf(item) ? ObjectMenu() : std::span<const PaneMenuItem>();
}

bool CObjectsBar::OnDragStarted(QTreeWidgetItem* item)
{
    CDiagramEntityContainer* objects = container();
    CEditorObject* object = objectOf(item);
    if (!objects || !object)
        return false;
    ActivePage::SelectOnly(m_host, *object);
    ActivePage::Redraw(m_host);
    UpdateItemStates();
    objects->Snapshot(kZOrderLabel);
    m_draggedData = PaneTreeItems::Data(*item);
    m_draggedGroup = GroupOf(*object);
    return true;
}

void CObjectsBar::OnDraggedOver(QTreeWidgetItem* item)
{
    CDiagramEntityContainer* objects = container();
    const CEditorObject* hovered = objectOf(item);
    if (m_draggedGroup < 0 || !objects || !hovered || GroupOf(*hovered) != m_draggedGroup)
        return;
    int32_t from = PaneItemData::ObjectIndex(m_draggedData);
    const int32_t to = PaneItemData::ObjectIndex(PaneTreeItems::Data(*item));
    const CEditorObject* dragged = editorObjectAt(*objects, from);
    if (!dragged || from == to)
        return;
    // One z-order step at a time, so the objects between keep their order.
    for (; from < to; ++from)
        objects->Swap(from, from + 1);
    for (; from > to; --from)
        objects->Swap(from, from - 1);
    m_draggedData = PaneTreeItems::Data(*item);
    Rebuild();
    ActivePage::Redraw(m_host);
}

void CObjectsBar::OnDragEnded()
{
    m_draggedGroup = -1;
    m_draggedData = 0;
}

bool CObjectsBar::OnEndLabelEdit(QTreeWidgetItem& item, const QString& text)
{
    CDiagramEntityContainer* objects = container();
    CEditorObject* object = objectOf(&item);
    if (!objects || !object || text.isEmpty())
        return false;
    const std::u16string name = text.toStdU16String();
    for (int32_t i = 0; i < objects->GetSize(); ++i) {
        const CEditorObject* other = editorObjectAt(*objects, i);
        if (other && other != object && CObjectNames::GetName(*other, NameKind::Current) == name) {
            m_host.GetPrompts().ShowMessage(kNameTaken);
            return false;
        }
    }
    object->GetProperties().SetPropertyValue(kNameGroup, kNameCaption, CPropertyValue(name));
    m_host.RequestPropertiesRefill(PropertiesRefill::Full);
    m_host.MarkProjectModified();
    return true;
}
