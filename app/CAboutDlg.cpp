#include "app/CAboutDlg.h"

namespace tarvix {

namespace {

constexpr int kOkButton = 1042;

} // namespace

CAboutDlg::CAboutDlg(QWidget* owner) : CDialog(135, owner)
{
    // The button is not the standard OK: it closes the box as Escape does.
    onClicked(kOkButton, [this] { reject(); });
}

} // namespace tarvix
