#include "app/Settings.h"

#include <QSettings>

namespace tarvix {

namespace {

const QString kKey = QStringLiteral("Directory/Directory");

} // namespace

Settings::Settings(QString iniPath) : m_file(std::move(iniPath)) {}

QString Settings::directory() const
{
    if (m_file.isEmpty()) return {};
    return QSettings(m_file, QSettings::IniFormat).value(kKey).toString();
}

bool Settings::setDirectory(const QString& folder) const
{
    if (m_file.isEmpty()) return false;
    QSettings settings(m_file, QSettings::IniFormat);
    settings.setValue(kKey, folder);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace tarvix
