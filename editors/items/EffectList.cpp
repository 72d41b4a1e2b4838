#include "editors/items/EffectList.h"

#include "tables/Layout.h"
#include "ui/StringTable.h"

namespace tarvix {

namespace {

// Effect codes the game knows: Diablo's end at 79.
constexpr tables::PerEdition kEffectCount{80, 94};
// The program's string of effect code 0; code n is this + n.
constexpr int kFirstEffectString = 228;
// Hellfire gave codes 76 and 77 new effects; their names follow the Hellfire codes.
constexpr int kHellfireRenamed[][2] = {{76, 322}, {77, 323}};
constexpr int kNameLimit = 49;

QString effectRow(int code, int stringId)
{
    return QStringLiteral("%1 - %2").arg(code).arg(loadString(stringId, kNameLimit));
}

} // namespace

QStringList effectRows(const Edition& edition)
{
    QStringList rows;
    const int count = static_cast<int>(kEffectCount.of(edition));
    rows.reserve(count);
    for (int code = 0; code < count; ++code) rows << effectRow(code, kFirstEffectString + code);
    if (edition.tag == kHellfire.tag)
        for (const auto& [code, stringId] : kHellfireRenamed) rows[code] = effectRow(code, stringId);
    return rows;
}

} // namespace tarvix
