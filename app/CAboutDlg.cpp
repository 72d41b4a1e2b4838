#include "app/CAboutDlg.h"

#include "app/CommandLine.h"

namespace tarvix {

namespace {

constexpr int kOkButton = 1042;
constexpr int kVersionLine = 1043;

} // namespace

CAboutDlg::CAboutDlg(QWidget* owner) : CDialog(135, owner)
{
    // The button is not the standard OK: it closes the box as Escape does.
    onClicked(kOkButton, [this] { reject(); });
    setText(kVersionLine, text(kVersionLine).arg(QString::fromLatin1(programVersion())));
}

} // namespace tarvix
