#pragma once
// One piece of background work: the object to render, and what its Render answered.
// Owned by the worker's queue from AddWork until the worker or CancelWork deletes it.

#include <cstdint>

class CBkgWorkObject;

class CBkgWorkItem {
public:
    explicit CBkgWorkItem(CBkgWorkObject* object) : m_object(object) {}
    virtual ~CBkgWorkItem() = default;
    CBkgWorkItem(const CBkgWorkItem&) = delete;
    CBkgWorkItem& operator=(const CBkgWorkItem&) = delete;

    CBkgWorkObject* GetObject() const { return m_object; }
    uint32_t GetResult() const { return m_result; }
    void SetResult(uint32_t result) { m_result = result; }

    // Free for the producer; the worker never reads them.
    uint32_t m_first = 0;
    uint32_t m_second = 0;

private:
    CBkgWorkObject* m_object;   // not owned
    uint32_t m_result = 0;
};
