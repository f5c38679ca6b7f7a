#include "app/CAboutDlg.h"

#include "res/DialogTemplates.h"

CAboutDlg::CAboutDlg(QWidget* parent) : CTemplateDialog(kAboutDialog, parent) {}
