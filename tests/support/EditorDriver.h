#pragma once

#include "exe/Edition.h"
#include "support/SampleCopy.h"
#include "ui/CDialog.h"
#include "ui/DialogRender.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

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

// name-1x.png and name-2x.png in the build's renders folder, for a person to look at.
inline void renderForReview(QWidget* widget, const QString& name)
{
    QDir().mkpath(TARVIX_RENDER_DIR);
    for (int scale : {1, 2})
        EXPECT_TRUE(renderToPng(widget, QStringLiteral(TARVIX_RENDER_DIR "/%1-%2x.png").arg(name).arg(scale), scale));
}

} // namespace tarvix::test
