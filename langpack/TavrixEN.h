// CTavrixENApp: the application object of the English language pack.
#pragma once

#include <afxwin.h>

/// The pack's application object: it only starts the class library's application.
class CTavrixENApp : public CWinApp {
public:
    CTavrixENApp();
    BOOL InitInstance() override;
};
