#include "engine/widgets/DCompositeObject_Listbox.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "engine/primitives/DBaseObject_ScrollingList.h"
#include "engine/core/DFile.h"
#include "engine/widgets/DImageSet.h"
#include "engine/tags/DItem.h"
#include "engine/core/DProject.h"
#include "engine/core/DStatus.h"
#include "engine/widgets/DWidgetTags.h"
#include "foundation/target/TargetListBoxWords.h"
#include "foundation/target/TargetClassData.h"

namespace {

enum Background { Normal = 0, Selected = 1, FocusedSelected = 2 };

// The class data reports a row count past the record as the file reports a read past it.
static_assert(target::TargetSpanReader::kBeyondLimit == DStatus::BeyondLimit);

} // namespace

DCompositeObject_Listbox::DCompositeObject_Listbox() = default;
DCompositeObject_Listbox::~DCompositeObject_Listbox() = default;

void DCompositeObject_Listbox::takeBackgrounds(DFile& file, const target::ListboxBackgroundWords& words)
{
    DImageSet::referTo(m_backgrounds[Normal], file, words.row);
    DImageSet::referTo(m_backgrounds[Selected], file, words.selected);
    DImageSet::referTo(m_backgrounds[FocusedSelected], file, words.focusedSelected);
}

void DCompositeObject_Listbox::loadList(DFile& file)
{
    m_list = dynamic_cast<DBaseObject_ScrollingList*>(loadPrimitive(file));
    if (m_list && (m_list->flags() & DBaseObject::kFocusTracking))
        m_tracksFocus = true;
}

int DCompositeObject_Listbox::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    target::ListboxClassData data;
    const target::ClassDataRead read = target::readClassData(file, data);
    takeBackgrounds(file, data.backgrounds);
    m_rowImages.referTo(file, data.rows);
    // A row count the record cannot hold ends the load before the selection tag and the list.
    if (read.stopped)
        return read.status;
    m_selectionTag = DItemDescriptor::fromReference(data.selectionTag);
    loadList(file);
    return read.status;
}

void DCompositeObject_Listbox::show()
{
    if (m_list) {
        const uint32_t shown = std::min<uint32_t>(m_rowImages.count(), m_list->maximumRows());
        for (uint32_t i = 0; i < shown; ++i)
            m_list->setRowImage(i, m_rowImages.image(i));
        m_list->setRowCount(m_rowImages.count());
    }
    showSelection();
}

void DCompositeObject_Listbox::showSelection()
{
    if (m_list) {
        m_list->setNormalBackground(m_backgrounds[Normal].get());
        showSelectedBackground();
        m_list->select(1, DBaseObject_ScrollingList::Middle);
    }
    bind(m_selectionTag);
}

void DCompositeObject_Listbox::showSelectedBackground()
{
    if (m_list)
        m_list->setSelectedBackground(m_backgrounds[m_focused ? FocusedSelected : Selected].get());
}

void DCompositeObject_Listbox::hide()
{
    unbind(m_selectionTag);
}

void DCompositeObject_Listbox::bind(DItemDescriptor& descriptor)
{
    DWidgetTags::bind(m_project, *this, DProject::Binding::Watch, {&descriptor});
}

void DCompositeObject_Listbox::unbind(DItemDescriptor& descriptor)
{
    DWidgetTags::unbind(m_project, *this, {&descriptor});
}

int DCompositeObject_Listbox::setFocus(int on)
{
    (void)DCompositeObject::setFocus(on);
    showSelectedBackground();
    return 1;
}

void DCompositeObject_Listbox::onPointerDown(DPoint point)
{
    m_dragging = false;
    m_start = m_last = point;
    if (m_list)
        m_list->beginDrag(point.y);
    DCompositeObject::onPointerDown(point);
}

void DCompositeObject_Listbox::onPointerMove(DPoint point)
{
    if (std::llabs(int64_t(point.y) - m_start.y) > kTapTolerance)
        m_dragging = true;
    if (m_list) {
        const DPoint scroll = m_list->scrollPosition();
        const int64_t y = int64_t(scroll.y) + m_last.y - point.y;
        m_list->setScrollPosition({scroll.x, int32_t(std::clamp<int64_t>(y, INT32_MIN, INT32_MAX))});
        m_list->dragTo(point.y);
    }
    m_last = point;
}

void DCompositeObject_Listbox::onPointerUp(DPoint point)
{
    if (m_list) {
        m_list->setMotion(DBaseObject_ScrollingList::Motion::Coasting);
        if (!m_dragging)
            if (const uint32_t row = m_list->selectAtPoint(point))
                writeSelection(row);
    }
    DCompositeObject::onPointerUp(point);
}

void DCompositeObject_Listbox::tick(uint32_t now)
{
    DCompositeObject::tick(now);
    if (!m_list) {
        m_tickEnabled = false;
        return;
    }
    if (!m_list->motionTick(now))
        return;
    m_tickEnabled = false;
    m_list->setMotion(DBaseObject_ScrollingList::Motion::Idle);
    // In centred mode this selects the row that came to rest in the middle.
    if (const uint32_t row = m_list->selectAtPoint({-100, -100}))
        writeSelection(row);
}

void DCompositeObject_Listbox::writeSelection(uint32_t row)
{
    DWidgetTags::writeOwnNumber(m_selectionTag, int32_t(row - 1), m_acceptValueChanges);
}

void DCompositeObject_Listbox::onValueChanged(DItem& item)
{
    if (&item == m_selectionTag.item && m_list)
        m_list->scrollToRow(int64_t(item.value().shownNumber()) + 1);
}
