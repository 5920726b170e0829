#include "core/Settings.h"

#include "Version.h"
#include "core/SettingsValues.h"

namespace {
const QString App = QStringLiteral(WPD_APP_TITLE);
const QString SectionName = QStringLiteral("Settings");
} // namespace

Settings::Setting<QString> Settings::address(int index)
{
    return {QStringLiteral("Address") + QString::number(index + 1), QString()};
}

Settings::Setting<QString> Settings::port(int index)
{
    return {QStringLiteral("Port") + QString::number(index + 1), QString()};
}

QString Settings::toText(float v)
{
    return SettingsValues::formatSingle(v);
}

QString Settings::toText(int v)
{
    return SettingsValues::formatInt(v);
}

QString Settings::toText(bool v)
{
    return SettingsValues::formatBool(v);
}

QString Settings::toText(const QString &v)
{
    return v;
}

QString Settings::toText(const std::optional<int> &v)
{
    return v ? SettingsValues::formatInt(*v) : QString();
}

float Settings::fromText(const QString &text, const Setting<float> &s)
{
    return SettingsValues::parseSingle(text, s.defaultValue);
}

int Settings::fromText(const QString &text, const Setting<int> &s)
{
    return SettingsValues::parseInt(text, s.defaultValue, s.min, s.max);
}

bool Settings::fromText(const QString &text, const Setting<bool> &s)
{
    return SettingsValues::parseBool(text, s.defaultValue);
}

QString Settings::fromText(const QString &text, const Setting<QString> &)
{
    return text;
}

std::optional<int> Settings::fromText(const QString &text, const Setting<std::optional<int>> &s)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : s.defaultValue;
}

Settings::Section::Section(SettingsStore *store) : m_store(store)
{}

QString Settings::Section::read(const QString &key, const QString &absent) const
{
    return m_store->read(App, SectionName, key, absent);
}

bool Settings::Section::sync()
{
    const SettingsStore::Values values = std::exchange(m_pending, {});
    return values.isEmpty() || m_store->write(App, SectionName, values);
}
