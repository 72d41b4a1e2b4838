#pragma once

#include "exe/Edition.h"
#include "support/SampleCopy.h"
#include "ui/CDialog.h"
#include "ui/DialogRender.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace tarvix::test {

// Opens an editor on a sample copy as the main window does, and shows it (which fills it).
template <class Dlg>
std::unique_ptr<Dlg> openEditor(const SampleCopy& sample, const QString& tag)
{
    auto dlg = std::make_unique<Dlg>();
    dlg->setWorkingCopy(sample.path, *editionForTag(tag.toStdString()));
    dlg->show();
    return dlg;
}

// The user picks a row of a drop-down list.
inline void choose(CDialog& dlg, int comboId, int row) { dlg.combo(comboId)->setCurrentIndex(row); }

// The user replaces an edit's text by typing; "" deletes it.
inline void type(CDialog& dlg, int id, const QString& text)
{
    QLineEdit* e = dlg.edit(id);
    e->selectAll();
    if (text.isEmpty()) QTest::keyClick(e, Qt::Key_Delete);
    else QTest::keyClicks(e, text);
}

inline void click(CDialog& dlg, int id) { dlg.button(id)->click(); }

// Opening (with its first full paint), changing the record (with its repaint) and Save
// each take well under a frame: medians of seven runs, printed for the record.
template <class Dlg>
void expectHandlersWithinAFrame(const char* edition, const QString& tag, const char* label, int recordList,
                                const std::function<void(Dlg&)>& edit)
{
    SampleCopy sample(edition);
    std::vector<qint64> open, select, saving;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer t;
        t.start();
        auto dlg = openEditor<Dlg>(sample, tag);
        dlg->grab();
        open.push_back(t.nsecsElapsed());
        t.restart();
        choose(*dlg, recordList, 80 + run);
        dlg->grab();
        select.push_back(t.nsecsElapsed());
        edit(*dlg);
        t.restart();
        click(*dlg, 1014);
        saving.push_back(t.nsecsElapsed());
    }
    auto median = [](std::vector<qint64> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2] / 1e6;
    };
    std::printf("%s: open %.2f ms, select %.2f ms, save %.2f ms (medians of 7)\n", label, median(open),
                median(select), median(saving));
    EXPECT_LT(median(open), 16.0);
    EXPECT_LT(median(select), 16.0);
    EXPECT_LT(median(saving), 16.0);
}

// name-1x.png and name-2x.png in the build's renders folder, for a person to look at.
inline void renderForReview(QWidget* widget, const QString& name)
{
    QDir().mkpath(TARVIX_RENDER_DIR);
    for (int scale : {1, 2})
        EXPECT_TRUE(renderToPng(widget, QStringLiteral(TARVIX_RENDER_DIR "/%1-%2x.png").arg(name).arg(scale), scale));
}

} // namespace tarvix::test
