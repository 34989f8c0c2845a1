// The about box.
#pragma once

#include "afxwin.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
};
