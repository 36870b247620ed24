#include "platform/sys/Registry.h"

#include <QSettings>
#include <QString>

namespace {

QString keyText(std::string_view key)
{
    return QString::fromUtf8(key.data(), qsizetype(key.size()));
}

} // namespace

Registry::Registry()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QStringLiteral("Corvane"), QStringLiteral("VX-Editor")))
{
}

Registry::~Registry() = default;

std::optional<std::u16string> Registry::readString(std::string_view key) const
{
    QVariant value = m_settings->value(keyText(key));
    if (!value.isValid())
        return std::nullopt;
    return value.toString().toStdU16String();
}

std::optional<int64_t> Registry::readInteger(std::string_view key) const
{
    QVariant value = m_settings->value(keyText(key));
    if (!value.isValid())
        return std::nullopt;
    bool ok = false;
    qlonglong number = value.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return int64_t(number);
}

void Registry::writeString(std::string_view key, std::u16string_view value)
{
    m_settings->setValue(keyText(key), QString::fromUtf16(value.data(), qsizetype(value.size())));
}

void Registry::writeInteger(std::string_view key, int64_t value)
{
    m_settings->setValue(keyText(key), qlonglong(value));
}

void Registry::remove(std::string_view key)
{
    m_settings->remove(keyText(key));
}

int Registry::sync()
{
    m_settings->sync();
    return m_settings->status() == QSettings::NoError ? 0 : 1;
}

std::string Registry::filePath() const
{
    return m_settings->fileName().toStdString();
}
