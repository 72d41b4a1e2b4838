#pragma once

#include <QString>
#include <QStringList>

// Lays the generated files out on sheets (item pictures at 1x and 2x, spell icons, program icon sizes)
// so that they can be looked at together. The pictures are read back from the written files, so the
// sheets show exactly what the program will carry.
class ContactSheet {
public:
    // graphicNames[n] names graphic number n; spellNames[r] names icon row r.
    static bool write(const QString& outDir, const QString& sheetDir, const QStringList& graphicNames,
                      const QStringList& spellNames);
};
