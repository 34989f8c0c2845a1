// The modem port page. For now only its template with the fixed settings; the port list and its
// probing come with the modem page work.
#pragma once

#include "afxext.h"

class CModemView : public CFormView {
    DECLARE_DYNCREATE(CModemView)

protected:
    CModemView();
};
