#pragma once

#include "exe/Edition.h"
#include "support/SampleCopy.h"
#include "ui/CDialog.h"
#include "ui/DialogRender.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <memory>

namespace tarvix::test {

// Opens an editor on a sample copy as the main window does, with the mod's original when
// one is given, and shows it (which fills it).
template <class Dlg>
std::unique_ptr<Dlg> openEditor(const SampleCopy& sample, const QString& original = {})
{
    auto dlg = std::make_unique<Dlg>();
    dlg->setWorkingCopy(sample.path, sample.edition);
    if (!original.isEmpty()) dlg->setOriginal(original);
    dlg->show();
    return dlg;
}

// The user picks a row of a drop-down list or a list box.
inline void choose(CDialog& dlg, int id, int row)
{
    if (auto* combo = qobject_cast<QComboBox*>(dlg.item(id))) combo->setCurrentIndex(row);
    else dlg.list(id)->setCurrentRow(row);
}

// The user replaces an edit's text by typing; "" deletes it.
inline void type(CDialog& dlg, int id, const QString& text)
{
    QLineEdit* e = dlg.edit(id);
    e->selectAll();
    if (text.isEmpty()) QTest::keyClick(e, Qt::Key_Delete);
    else QTest::keyClicks(e, text);
}

inline void click(CDialog& dlg, int id) { dlg.button(id)->click(); }

// How many rows each list has, by id.
inline void expectRowCounts(const CDialog& dlg, std::initializer_list<std::pair<int, int>> counts)
{
    for (auto [id, rows] : counts) EXPECT_EQ(dlg.rowCount(id), rows) << "control " << id;
}

// What some rows of a list say.
inline void expectRowTexts(const CDialog& dlg, int id, std::initializer_list<std::pair<int, const char*>> texts)
{
    for (auto [row, text] : texts) EXPECT_EQ(dlg.rowText(id, row), QString::fromUtf8(text)) << "control " << id;
}

// The working copy taken away until the end of the scope, as another program might.
struct MovedAway {
    explicit MovedAway(const SampleCopy& sample) : path(sample.path) { EXPECT_TRUE(QFile::rename(path, path + ".away")); }
    ~MovedAway() { EXPECT_TRUE(QFile::rename(path + ".away", path)); }
    QString path;
};

// name-1x.png and name-2x.png in the build's renders folder, for a person to look at.
inline void renderForReview(QWidget* widget, const QString& name)
{
    QDir().mkpath(TARVIX_RENDER_DIR);
    for (int scale : {1, 2})
        EXPECT_TRUE(renderToPng(widget, QStringLiteral(TARVIX_RENDER_DIR "/%1-%2x.png").arg(name).arg(scale), scale));
}

} // namespace tarvix::test
