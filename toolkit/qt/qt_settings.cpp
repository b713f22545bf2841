// The user's settings and the system's time zone, as Qt keeps and reads them on Linux.

#include <QSettings>
#include <QTimeZone>

#include <memory>

#include "hebrew_text/encoding.h"
#include "toolkit/toolkit.h"

namespace toolkit {

namespace {

// ~/.config/Detron/detron.conf, or under $XDG_CONFIG_HOME.
std::unique_ptr<QSettings> Settings()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Detron"),
                                       QStringLiteral("detron"));
}

QString Key(std::string_view name)
{
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

std::string LocalTimeZoneName()
{
    return QTimeZone::systemTimeZoneId().toStdString();
}

// Settings are ASCII names with code page 1255 values, stored as Unicode.
std::string ReadSetting(std::string_view name)
{
    QString value = Settings()->value(Key(name)).toString();
    return hebrew_text::Utf16ToCp1255(
        std::u16string_view(reinterpret_cast<const char16_t*>(value.utf16()), static_cast<std::size_t>(value.size())));
}

void WriteSetting(std::string_view name, std::string_view value)
{
    std::u16string unicode = hebrew_text::Cp1255ToUtf16(value);
    std::unique_ptr<QSettings> settings = Settings();
    settings->setValue(Key(name), QString(reinterpret_cast<const QChar*>(unicode.data()), static_cast<qsizetype>(unicode.size())));
    settings->sync();
}

}  // namespace toolkit
