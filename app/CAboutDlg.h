#pragma once

#include "app/CTemplateDialog.h"

/// The about box: the program's name, version and an OK button.
class CAboutDlg : public CTemplateDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
