#include "editor/project/download/CDownloadSettings.h"

#include <algorithm>

#include "editor/document/CPropertyValue.h"
#include "foundation/xml/DXMLElement.h"
#include "platform/sys/Profile.h"


CDownloadSettings CDownloadSettings::Read(const std::filesystem::path& iniPath)
{
    const Profile profile = Profile::load(iniPath);
    const auto number = [&](std::u16string_view key) {
        return (long long)CPropertyValue(profile.value(kSection, key).value_or(u"")).ToInt();
    };
    CDownloadSettings settings;
    settings.line.baudRate = uint32_t(std::max(0LL, number(u"baudrate")));
    settings.line.dataBits = int(number(u"dataBits"));
    settings.line.parity = SerialPort::Parity(int(number(u"parity")));
    settings.line.stopBits = SerialPort::StopBits(int(number(u"stopBits")));
    settings.line.handshake = SerialPort::Handshake(int(number(u"handshake")));
    settings.retries = int(number(u"retries"));
    settings.timeoutMs = uint32_t(std::max(0LL, number(u"timeout")));
    settings.port = int(number(u"port"));
    const std::u16string device = profile.value(kSection, u"device").value_or(u"");
    appendUtf8(settings.device, device);
    return settings;
}

std::filesystem::path CDownloadSettings::DefaultPath()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return program.parent_path() / std::filesystem::path(std::u16string(kFileName));
}

std::string CDownloadSettings::DevicePath() const
{
    if (!device.empty())
        return device;
    if (port <= 0)
        return {};
    return "/dev/ttyS" + std::to_string(port - 1);
}
