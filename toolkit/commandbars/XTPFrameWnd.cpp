// The frame that hosts command bars.
#include "XTPFrameWnd.h"

IMPLEMENT_DYNCREATE(CXTPFrameWnd, CFrameWnd)

BOOL AFX_CDECL XTPFocusWantsKey(const MSG*) { return FALSE; }

CXTPFrameWnd::CXTPFrameWnd() {}
CXTPFrameWnd::~CXTPFrameWnd() {}
BOOL CXTPFrameWnd::InitCommandBars(CRuntimeClass*) { return FALSE; }
