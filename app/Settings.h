#pragma once

#include <QString>

namespace tarvix {

// The program's one remembered value, "Directory" in section "Directory" of an INI
// file: the folder of the last loaded executable. Every read and write goes to the file
// at once, so nothing is lost when the program ends abruptly.
class Settings {
public:
    explicit Settings(QString iniPath = {});

    const QString& file() const { return m_file; }

    // Empty when the file, the section or the key is missing.
    QString directory() const;
    // False when the file could not be written.
    bool setDirectory(const QString& folder) const;

private:
    QString m_file;
};

} // namespace tarvix
