#pragma once
// Page changes and reloads that wait until the frame is drawn: clones of the actions,
// run in the order they were queued.

#include <memory>
#include <vector>

class DAction;

class DDeferredActions {
public:
    // Out of line, where an action is a complete type.
    DDeferredActions();
    ~DDeferredActions();

    // Takes the clone; none is ignored.
    void defer(std::unique_ptr<DAction> clone);
    // What these actions queue waits for the next frame.
    void run();
    void clear();

private:
    std::vector<std::unique_ptr<DAction>> m_queue;
};
