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

namespace {

const QString kOriginals = QStringLiteral("Originals");

struct Pair {
    QString copy;
    QString original;
};

QList<Pair> readPairs(QSettings& settings)
{
    QList<Pair> pairs;
    const int count = settings.beginReadArray(kOriginals);
    for (int i = 0; i < count; ++i) {
        settings.setArrayIndex(i);
        pairs.push_back({settings.value(QStringLiteral("copy")).toString(),
                         settings.value(QStringLiteral("original")).toString()});
    }
    settings.endArray();
    return pairs;
}

} // namespace

QString Settings::originalOf(const QString& workingCopy) const
{
    if (m_file.isEmpty()) return {};
    QSettings settings(m_file, QSettings::IniFormat);
    for (const Pair& pair : readPairs(settings))
        if (pair.copy == workingCopy) return pair.original;
    return {};
}

bool Settings::setOriginalOf(const QString& workingCopy, const QString& original) const
{
    if (m_file.isEmpty()) return false;
    QSettings settings(m_file, QSettings::IniFormat);
    QList<Pair> pairs = readPairs(settings);
    pairs.removeIf([&](const Pair& pair) { return pair.copy == workingCopy; });
    if (!original.isEmpty()) pairs.push_back({workingCopy, original});
    settings.remove(kOriginals);
    settings.beginWriteArray(kOriginals, static_cast<int>(pairs.size()));
    for (int i = 0; i < pairs.size(); ++i) {
        settings.setArrayIndex(i);
        settings.setValue(QStringLiteral("copy"), pairs[i].copy);
        settings.setValue(QStringLiteral("original"), pairs[i].original);
    }
    settings.endArray();
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace tarvix
