// The program's start-up through the class library: the application object
// and a minimal single-document template (document, frame, view).  The game
// window replaces the document, frame and view classes.
#pragma once

#include <afxwin.h>

class CStartupDocument : public CDocument
{
    DECLARE_DYNCREATE(CStartupDocument)
public:
    CStartupDocument();
};

class CStartupFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CStartupFrame)
public:
    CStartupFrame();
};

class CStartupView : public CView
{
    DECLARE_DYNCREATE(CStartupView)
public:
    CStartupView();
    virtual void OnDraw(CDC* pDC);
};

class CBrindlemarkApp : public CWinApp
{
public:
    CBrindlemarkApp();
    virtual BOOL InitInstance();

    DECLARE_MESSAGE_MAP()
};
