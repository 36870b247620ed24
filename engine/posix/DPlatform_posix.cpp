#include "engine/posix/DPlatform_posix.h"

#include <cstdio>
#include <ctime>

#include "engine/core/DEngineServices.h"
#include "engine/posix/DFile_posix.h"

namespace {

uint64_t monotonicMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return uint64_t(now.tv_sec) * 1000u + uint64_t(now.tv_nsec) / 1000000u;
}

} // namespace

DPlatform_posix::DPlatform_posix() : m_clockOrigin(monotonicMilliseconds()) {}

void DPlatform_posix::tick()
{
    if (!m_services || !(m_services->optionFlags() & DEngineServices::kPollLongPressKeys))
        return;
    if (DInputSink* input = m_services->input())
        m_longPress.poll(ticks(), m_heldKeys ? m_heldKeys() : 0, *input);
}

void DPlatform_posix::sleep(uint32_t milliseconds)
{
    timespec delay{time_t(milliseconds / 1000), long(milliseconds % 1000) * 1000000L};
    while (nanosleep(&delay, &delay) != 0) {
    }
}

uint32_t DPlatform_posix::ticks()
{
    // Starts at 1 and skips 0 when it wraps: 0 stands for "never" in stored due times.
    const uint32_t value = uint32_t(monotonicMilliseconds() - m_clockOrigin + 1);
    return value ? value : 1;
}

int64_t DPlatform_posix::wallClockSeconds()
{
    return int64_t(std::time(nullptr));
}

void DPlatform_posix::setProjectPath(const DString& path)
{
    m_projectPath.assign(path.view().substr(0, kPathUnits));
}

const DString& DPlatform_posix::buildProjectPath(uint32_t number)
{
    std::u16string_view path = m_projectPath.view();
    const std::size_t slash = path.find_last_of(u'/');
    std::u16string built(slash == std::u16string_view::npos ? std::u16string_view{} : path.substr(0, slash + 1));
    char name[16];
    std::snprintf(name, sizeof name, "0x%08x.ddd", number);
    for (const char* c = name; *c; ++c)
        built.push_back(char16_t(*c));
    // A path that does not fit the buffer is not built; the load of "" then fails.
    m_projectPath.assign(built.size() <= kPathUnits ? std::u16string_view(built) : std::u16string_view{});
    return m_projectPath;
}

std::unique_ptr<DFile> DPlatform_posix::createFile()
{
    return std::make_unique<DFile_posix>();
}
