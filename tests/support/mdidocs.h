// Documents of two kinds and a plain view for the tests of MDI frames: each
// document counts the commands of its own menu, so a test sees which
// document a command reached. The runtime classes are defined here, so a
// test program includes this header in one of its sources only.
#pragma once

#include <afxwin.h>

#include "mdiframe_res.h"

namespace testsupport
{
class CNoteDoc : public CDocument
{
    DECLARE_DYNCREATE(CNoteDoc)
public:
    int m_nUpperCase = 0;
    afx_msg void OnUpperCase() { m_nUpperCase++; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CNoteDoc, CDocument)
BEGIN_MESSAGE_MAP(CNoteDoc, CDocument)
    ON_COMMAND(ID_MDIFRAME_UPPERCASE, OnUpperCase)
END_MESSAGE_MAP()

class CSketchDoc : public CDocument
{
    DECLARE_DYNCREATE(CSketchDoc)
public:
    int m_nCleared = 0;
    afx_msg void OnClear() { m_nCleared++; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CSketchDoc, CDocument)
BEGIN_MESSAGE_MAP(CSketchDoc, CDocument)
    ON_COMMAND(ID_MDIFRAME_CLEAR, OnClear)
END_MESSAGE_MAP()

class CPlainView : public CView
{
    DECLARE_DYNCREATE(CPlainView)
public:
    virtual void OnDraw(CDC*) {}
};
IMPLEMENT_DYNCREATE(CPlainView, CView)
} // namespace testsupport
