#include "editor/project/tags/CPreset.h"

#include "editor/document/CPropertyValue.h"
#include "editor/document/CTagType.h"
#include "editor/project/CFileAccess.h"
#include "foundation/xml/DXMLParser.h"

namespace {

constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" standalone=\"yes\" encoding=\"UTF-8\"?>\n";

struct IntegerSetting {
    std::u16string_view name;
    int CTargetSettings::*field;
};

constexpr IntegerSetting kIntegerSettings[] = {
    {u"targetFlags", &CTargetSettings::targetFlags},
    {u"colorBits", &CTargetSettings::colorBits},
    {u"textAliasing", &CTargetSettings::textAliasing},
    {u"tagMemorySize", &CTargetSettings::tagMemorySize},
};

} // namespace

std::string CPreset::PresetBytes(const CTargetSettings& settings)
{
    DXMLElement preset(u"preset");
    preset.addChild(u"pageSize")->setText(settings.pageSize);
    for (const IntegerSetting& setting : kIntegerSettings)
        preset.addChild(setting.name)->setText(CPropertyValue(int32_t(settings.*setting.field)).Text());
    preset.addChild(u"nativeEncoding")->setText(CTagType::Name(settings.nativeEncoding));
    std::string bytes(kDeclaration);
    preset.write(bytes);
    return bytes;
}

bool CPreset::ParsePreset(std::string_view bytes, CTargetSettings& settings)
{
    DXMLParser parser(bytes.data(), bytes.size());
    (void)parser.parse();
    const DXMLElement* preset = parser.root().getChild(u"preset");
    if (!preset)
        return false;
    CTargetSettings read = settings;
    if (const DXMLElement* pageSize = preset->getChild(u"pageSize"))
        read.pageSize = pageSize->getText();
    for (const IntegerSetting& setting : kIntegerSettings)
        if (const DXMLElement* child = preset->getChild(setting.name))
            read.*setting.field = CPropertyValue(child->getText()).ToInt();
    if (const DXMLElement* encoding = preset->getChild(u"nativeEncoding")) {
        const int32_t slot = CTagType::Slot(encoding->getText());
        if (slot >= 0 && !CTagType::Name(uint32_t(slot)).empty())
            read.nativeEncoding = uint32_t(slot);
    }
    settings = std::move(read);
    return true;
}

std::u16string CPreset::ReadPreset(const std::filesystem::path& path, CTargetSettings& settings)
{
    std::string bytes;
    if (std::u16string error = CFileAccess::Read(path, bytes); !error.empty())
        return error;
    return ParsePreset(bytes, settings) ? std::u16string() : std::u16string(kParseFailed);
}

std::u16string CPreset::WritePreset(const std::filesystem::path& path, const CTargetSettings& settings)
{
    return CFileAccess::Write(path, PresetBytes(settings));
}
