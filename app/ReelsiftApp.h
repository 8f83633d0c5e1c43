#pragma once

#include "framework/Framework.h"

class CReelsiftApp : public CWinApp {
public:
    CReelsiftApp() : CWinApp(nullptr) {}

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};

extern CReelsiftApp theApp;
