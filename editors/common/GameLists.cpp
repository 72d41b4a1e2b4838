#include "editors/common/GameLists.h"

#include "tables/GameTables.h"
#include "ui/RecordList.h"

namespace tarvix {

namespace {
constexpr std::size_t kSoundNameWindow = 50;
} // namespace

void FillSoundList(CDialog& dialog, int listId, WorkingCopy& file, const Edition& edition)
{
    FillSoundList(dialog, {listId}, file, edition);
}

void FillSoundList(CDialog& dialog, std::initializer_list<int> listIds, WorkingCopy& file,
                   const Edition& edition)
{
    const tables::Placement sounds(tables::kSounds, edition);
    const QStringList rows =
        textRows(tables::readTexts(file, sounds, tables::fieldOf(tables::kSounds, "name"), kSoundNameWindow),
                 Numbering::None);
    for (int listId : listIds) AddRows(dialog, listId, rows);
}

} // namespace tarvix
