#include "editor/shell/CPathSettings.h"

#include <QDir>
#include <QStandardPaths>

#include "platform/sys/Registry.h"

namespace {

std::string settingKey(std::string_view key) { return "AppSettings/" + std::string(key); }

} // namespace

std::u16string CPathSettings::GetPathSetting(std::string_view key) const
{
    const auto value = m_registry.readString(settingKey(key));
    if (value && !value->empty())
        return *value;
    return DefaultFolder();
}

void CPathSettings::SetPathSetting(std::string_view key, std::u16string_view value)
{
    m_registry.writeString(settingKey(key), value);
}

std::u16string CPathSettings::DefaultFolder()
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    return QDir(documents).filePath(QString::fromStdU16String(std::u16string(kDefaultFolderName))).toStdU16String();
}
