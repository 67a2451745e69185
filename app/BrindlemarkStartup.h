// The application object: it starts the socket library, names the registry
// key, keeps the recent-file list, registers the one single-document
// template (the game's document, main frame and board view), runs the
// standard command line and shows the main window.
#pragma once

#include <afxwin.h>

class CBrindlemarkApp : public CWinApp
{
public:
    CBrindlemarkApp();
    virtual BOOL InitInstance();
    virtual BOOL OnIdle(LONG lCount);

    DECLARE_MESSAGE_MAP()
};
