#pragma once
// Work done when the event loop has nothing left to do: just before the loop's
// dispatcher blocks waiting for events. A pass that opens a dialog (and so runs a loop
// of its own) does not start another pass inside itself.

#include <QObject>
#include <functional>
#include <vector>

class IdleHook : public QObject {
    Q_OBJECT
public:
    using Task = std::function<void()>;

    // Hooks the dispatcher of the calling thread.
    explicit IdleHook(QObject* parent = nullptr);
    ~IdleHook() override;

    // Tasks run in the order they were added, once per pass.
    void add(Task task);
    // One pass now, as the dispatcher would make it.
    void runPass();
    int passes() const { return m_passes; }

private:
    std::vector<Task> m_tasks;
    bool m_inPass = false;
    int m_passes = 0;
};
