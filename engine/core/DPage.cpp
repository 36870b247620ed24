#include "engine/core/DPage.h"

#include "engine/primitives/DBaseObject.h"
#include "engine/primitives/DBaseObject_Text.h"
#include "engine/widgets/DCompositeObject.h"
#include "foundation/target/TargetActions.h"

namespace {
constexpr uint32_t kEnteringPage = uint32_t(target::TriggerNumber::EnteringPage),
                   kLeavingPage = uint32_t(target::TriggerNumber::LeavingPage);
constexpr uint32_t kLeaveEditing = DBaseObject_Text::kKeyLeaveEditing; // ends text entry without a commit
} // namespace

DPage::~DPage()
{
    hideAndDelete();
}

void DPage::adopt(uint32_t number, std::unique_ptr<DCompositeObject> widget)
{
    if (m_widgets.size() <= number)
        m_widgets.resize(std::size_t(number) + 1, nullptr);
    m_widgets[number] = widget.get();
    m_owned.push_back(std::move(widget));
}

void DPage::show()
{
    // A trigger may hide this page while it is being shown (a key sent from the screen
    // saver takes it down): the walk stops as soon as the widgets are not the ones it began with.
    const uint32_t generation = m_generation;
    for (std::size_t i = 0; i < m_widgets.size() && generation == m_generation; ++i)
        if (m_widgets[i])
            m_widgets[i]->show();
    m_pressed = false;
    m_capture = nullptr;
    for (std::size_t i = 0; i < m_widgets.size() && generation == m_generation; ++i)
        if (m_widgets[i])
            m_widgets[i]->fireEvent(kEnteringPage);
}

void DPage::hideAndDelete()
{
    // The lists are emptied before any trigger runs, so a trigger that comes back here
    // finds nothing to hide twice; the widgets are deleted once they have all been told.
    ++m_generation;
    std::vector<std::unique_ptr<DCompositeObject>> leaving;
    leaving.swap(m_owned);
    m_primitives.clear();
    m_widgets.clear();
    m_under = nullptr;
    for (auto& widget : leaving)
        widget->fireEvent(kLeavingPage);
    for (auto& widget : leaving)
        widget->hide();
    leaving.clear();
    m_capture = nullptr;
    m_pressed = false;
    m_focusIndex = -1;
    m_pressedIndex = -1;
}

std::size_t DPage::widgetCount() const
{
    return m_widgets.size() + (m_under ? m_under->widgetCount() : 0);
}

DCompositeObject* DPage::widgetAt(std::size_t index) const
{
    if (index < m_widgets.size())
        return m_widgets[index];
    return m_under ? m_under->widgetAt(index - m_widgets.size()) : nullptr;
}

DCompositeObject* DPage::focusedWidget() const
{
    return m_focusIndex < 0 ? nullptr : widgetAt(std::size_t(m_focusIndex));
}

void DPage::takeFocusAway()
{
    DCompositeObject* widget = focusedWidget();
    if (!widget)
        return;
    if (widget->isEditing()) {
        widget->onKey(kLeaveEditing);
        m_pressedIndex = m_focusIndex;
    } else {
        widget->setFocus(0);
    }
    m_focusIndex = -1;
}

void DPage::setFocus(int32_t index)
{
    if (index < 0 || index == m_focusIndex)
        return;
    if (!widgetAt(std::size_t(index)))
        return;
    takeFocusAway();
    // Looked up again: the widget that lost the focus may have taken the page down.
    if (DCompositeObject* widget = widgetAt(std::size_t(index)); widget && widget->setFocus(1))
        m_focusIndex = index;
}

void DPage::tick(uint32_t now)
{
    for (DCompositeObject* widget : m_widgets)
        if (widget && widget->tickEnabled() && (widget->nextTick() == 0 || int32_t(now - widget->nextTick()) >= 0)) {
            widget->tick(now);
            widget->scheduleNextTick(now);
        }
    if (m_under)
        m_under->tick(now);
}
