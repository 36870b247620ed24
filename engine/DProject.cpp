#include "engine/DProject.h"

#include <cstdio>

#include "engine/DController.h"
#include "engine/DItemObserver.h"
#include "engine/DPlatform.h"
#include "engine/DStatus.h"

namespace {
constexpr uint32_t fourCC(char a, char b, char c, char d)
{
    return uint32_t(uint8_t(a)) | uint32_t(uint8_t(b)) << 8 | uint32_t(uint8_t(c)) << 16 | uint32_t(uint8_t(d)) << 24;
}
} // namespace

DProject::~DProject()
{
    unload();
}

void DProject::closeFile()
{
    if (m_file)
        m_file->close();
    m_file.reset();
}

void DProject::unload()
{
    closeFile();
    for (DController* controller : m_controllers)
        controller->release();
}

int DProject::attach(DRenderer* renderer)
{
    m_renderer = renderer;
    const uint32_t now = m_platform.ticks();
    int status = DStatus::Ok;
    for (DController* controller : m_controllers)
        if (controller->init(now) != DStatus::Ok)
            status = DStatus::Failed;
    return status;
}

DValue* DProject::findTag(DItemDescriptor& descriptor)
{
    descriptor.item = nullptr;
    if (descriptor.controller >= m_controllers.size())
        return nullptr; // "no tag" or a controller this engine has not
    descriptor.item = m_controllers[descriptor.controller]->findItem(descriptor);
    return descriptor.item ? &descriptor.item->value() : nullptr;
}

int DProject::bindTag(DItemDescriptor& descriptor, DItemObserver& observer, Binding binding)
{
    if (!findTag(descriptor))
        return DStatus::Failed;
    if (binding == Binding::Watch)
        descriptor.item->addObserver(observer);
    else
        descriptor.item->removeObserver(observer);
    return DStatus::Ok;
}

int DProject::load(const DString& path)
{
    closeFile();
    m_file.reset(m_platform.createFile());
    if (!m_file || m_file->open(path) != DStatus::Ok) {
        std::printf("Failed opening file!\n");
        return DStatus::Failed;
    }
    uint32_t riff = 0, size = 0, form = 0;
    if (readWord(*m_file, riff) || readWord(*m_file, size) || riff != fourCC('R', 'I', 'F', 'F')) {
        std::printf("RIFF header error!\n");
        return DStatus::Failed;
    }
    if (readWord(*m_file, form) || form != fourCC('D', 'P', 'r', 'j')) {
        std::printf("No DProjectForm!\n");
        return DStatus::Failed;
    }
    std::printf("No project chunk!\n");
    return DStatus::Failed;
}
