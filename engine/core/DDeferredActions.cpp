#include "engine/core/DDeferredActions.h"

#include "engine/actions/DAction.h"

DDeferredActions::DDeferredActions() = default;
DDeferredActions::~DDeferredActions() = default;

void DDeferredActions::defer(std::unique_ptr<DAction> clone)
{
    if (clone)
        m_queue.push_back(std::move(clone));
}

void DDeferredActions::run()
{
    std::vector<std::unique_ptr<DAction>> due;
    due.swap(m_queue);
    for (auto& action : due)
        (void)action->execute(1);
}

void DDeferredActions::clear()
{
    m_queue.clear();
}
