#include "platform/ui/IdleHook.h"

#include <QAbstractEventDispatcher>
#include <QThread>

IdleHook::IdleHook(QObject* parent) : QObject(parent)
{
    if (auto* dispatcher = QAbstractEventDispatcher::instance(QThread::currentThread()))
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &IdleHook::runPass);
}

IdleHook::~IdleHook() = default;

void IdleHook::add(Task task) { m_tasks.push_back(std::move(task)); }

void IdleHook::runPass()
{
    if (m_inPass)
        return;
    m_inPass = true;
    ++m_passes;
    for (const Task& task : m_tasks)
        task();
    m_inPass = false;
}
