#pragma once
// Page changes and reloads that wait until the frame is drawn: clones of the actions,
// run in the order they were queued.

#include <memory>
#include <vector>

class DAction;

class DDeferredActions {
public:
    DDeferredActions();
    ~DDeferredActions();
    DDeferredActions(const DDeferredActions&) = delete;
    DDeferredActions& operator=(const DDeferredActions&) = delete;

    // Takes the clone; none is ignored.
    void defer(DAction* clone);
    // What these actions queue waits for the next frame.
    void run();
    void clear();

private:
    std::vector<std::unique_ptr<DAction>> m_queue;
};
