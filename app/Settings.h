#pragma once

#include <QString>

namespace tarvix {

// What the program remembers in an INI file: "Directory" in section "Directory", the
// folder of the last loaded executable, and for each working copy the original executable
// it was made from (section "Originals"). Every read and write goes to the file at once,
// so nothing is lost when the program ends abruptly.
class Settings {
public:
    explicit Settings(QString iniPath = {});

    const QString& file() const { return m_file; }

    // Empty when the file, the section or the key is missing.
    QString directory() const;
    // False when the file could not be written.
    bool setDirectory(const QString& folder) const;

    // The original a working copy was made from; empty when none is known.
    QString originalOf(const QString& workingCopy) const;
    // An empty original forgets the one known. False when the file could not be written.
    bool setOriginalOf(const QString& workingCopy, const QString& original) const;

private:
    QString m_file;
};

} // namespace tarvix
