#pragma once

#include "ui/CDialog.h"

namespace tarvix {

// The About box, template 135. Reads and writes nothing.
class CAboutDlg : public CDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* owner = nullptr);
};

} // namespace tarvix
