#include "engine/widgets/DCompositeObject.h"

#include "engine/actions/DActionList.h"
#include "engine/primitives/DBaseObject.h"
#include "engine/primitives/DBaseObject_Text.h"
#include "engine/core/DFile.h"
#include "engine/core/DPage.h"
#include "engine/core/DProject.h"
#include "engine/core/DStatus.h"
#include "foundation/target/TargetActions.h"
#include "foundation/target/TargetPage.h"

namespace {
using target::TriggerNumber;
constexpr uint32_t kTouchDown = uint32_t(TriggerNumber::TouchDown), kTouchUp = uint32_t(TriggerNumber::TouchUp),
                   kTouchHold = uint32_t(TriggerNumber::TouchHold), kKeyDown = uint32_t(TriggerNumber::KeyDown),
                   kKeyUp = uint32_t(TriggerNumber::KeyUp), kKeyHold = uint32_t(TriggerNumber::KeyHold),
                   kFocusGained = uint32_t(TriggerNumber::FocusGained), kFocusLost = uint32_t(TriggerNumber::FocusLost);

// The neighbour an arrow key moves the focus to; -1 for any other key.
int arrowDirection(uint32_t key)
{
    using target::KeyCode;
    switch (KeyCode(key)) {
    case KeyCode::Left: return DCompositeObject::Left;
    case KeyCode::Right: return DCompositeObject::Right;
    case KeyCode::Up: return DCompositeObject::Up;
    case KeyCode::Down: return DCompositeObject::Down;
    default: return -1;
    }
}
} // namespace

DCompositeObject::DCompositeObject() = default;

DCompositeObject::~DCompositeObject() = default;

bool DCompositeObject::isEditing() const
{
    return m_editText && m_editText->cursor() != -1;
}

int DCompositeObject::load(DFile& file)
{
    m_project = m_page ? m_page->project() : nullptr;
    target::ObjectRecordCommon common;
    const int status = target::readRecordWords(file, common);
    m_reserved = common.reserved;
    m_neighbours[Left] = common.left;
    m_neighbours[Up] = common.up;
    m_neighbours[Right] = common.right;
    m_neighbours[Down] = common.down;
    return status;
}

int DCompositeObject::loadActions(DFile& file)
{
    m_actions = std::make_unique<DActionList>(m_project);
    if (!m_actions)
        return DStatus::Failed;
    return m_actions->load(file);
}

DBaseObject* DCompositeObject::loadPrimitive(DFile& file)
{
    DBaseObject* primitive = DBaseObject::create(this, m_page, file);
    if (primitive) {
        m_primitives.emplace_back(primitive);
        if (m_page)
            m_page->primitives().push_back(primitive);
    }
    return primitive;
}

void DCompositeObject::fireEvent(uint32_t event, uint32_t key)
{
    // Sliding from one widget onto another fires neither touch-down nor touch-up.
    if ((event == kTouchDown || event == kTouchUp) && m_page && m_page->capture())
        return;
    if (m_actions)
        m_actions->fire(event, key, false);
}

void DCompositeObject::startTick(uint32_t period)
{
    m_tickPeriod = period ? period : 1;
    m_tickEnabled = true;
    m_nextTick = 0;
}

void DCompositeObject::onPointerDown(DPoint)
{
    if (!isEditing())
        fireEvent(kTouchDown);
}

void DCompositeObject::onPointerUp(DPoint)
{
    if (!isEditing())
        fireEvent(kTouchUp);
}

void DCompositeObject::onPointerHold(DPoint)
{
    if (!isEditing())
        fireEvent(kTouchHold);
}

int DCompositeObject::setFocus(int on)
{
    if (m_tracksFocus)
        m_focused = on != 0;
    if (m_focusPrimitive) {
        m_focusPrimitive->setFocused(on != 0);
        m_focusPrimitive->setDirty(true);
        m_focusPrimitive->invalidate();
    }
    fireEvent(on ? kFocusGained : kFocusLost);
    return m_focusPrimitive || m_editText ? 1 : 0;
}

void DCompositeObject::onKey(uint32_t key)
{
    // Text entry takes the key first; while it edits, the key is its alone.
    if (m_editText)
        m_editText->editKey(key);
    if (isEditing())
        return;
    bool ran = false;
    if (m_project && m_page && m_project->focusPage() == m_page && m_actions)
        ran = m_actions->fire(kKeyDown, key, false) == 0;
    if (ran)
        return;
    if (m_actions && (m_actions->fire(kKeyHold, key, true) == 0 || m_actions->fire(kKeyUp, key, true) == 0))
        return;
    const int direction = arrowDirection(key);
    if (direction >= 0 && m_page && m_neighbours[direction] != -1)
        m_page->setFocus(m_neighbours[direction]);
}

void DCompositeObject::onKeyUp(uint32_t key)
{
    if (!isEditing())
        fireEvent(kKeyUp, key);
}

void DCompositeObject::onKeyHold(uint32_t key)
{
    if (!isEditing())
        fireEvent(kKeyHold, key);
}

void DCompositeObject::tick(uint32_t)
{
    // The edit text's caret blinks by the widget's ticks.
    if (m_editText)
        m_editText->blink();
}
