// The toolkit's resource manager: the one place through which the toolkit
// loads its own strings, menus, toolbars, bitmaps, cursors, icons, dialog
// templates and HTML text.
#pragma once

#include "XTPCommon.h"

#include <prsht.h>

class CToolBar;

#ifndef RT_HTML
#define RT_HTML MAKEINTRESOURCE(23)
#endif

class CXTPResourceManager : public CNoTrackObject
{
public:
    CXTPResourceManager();
    virtual ~CXTPResourceManager();

    // A string-table string; FALSE (and an empty string) when it is missing.
    virtual BOOL LoadString(CString* pString, UINT nIDResource);
    // A menu, attached to the menu object.
    virtual BOOL LoadMenu(CMenu* lpMenu, UINT nIDResource);
    // A toolbar resource, through the toolbar's own loader.
    virtual BOOL LoadToolBar(CToolBar* pToolBar, UINT nIDResource);
    // A bitmap, attached to the bitmap object.
    virtual BOOL LoadBitmap(CBitmap* pBitmap, UINT nIDResource);
    // A cursor; NULL when it is missing.
    virtual HCURSOR LoadCursor(UINT nIDResource);
    // The locked dialog template; NULL when it is found nowhere.
    virtual LPCDLGTEMPLATE LoadDialogTemplate(UINT nIDResource);
    // Gives a property page that names its template by id the template
    // loaded here (PSP_DLGINDIRECT), so that a program can replace the
    // toolkit's pages; FALSE, with the page untouched, when it already has
    // its template in memory or names none, or when the template is missing.
    BOOL LoadPageTemplate(PROPSHEETPAGE& psp);
    // The loaded dialog resource from the program's own module, else from the
    // module that holds the program's resources; NULL when found nowhere.
    virtual HGLOBAL FindDialogResource(UINT nIDResource);
    // An HTML resource (type 23) copied into the string up to its first zero
    // byte; FALSE, with the string untouched, when missing or empty.
    virtual BOOL LoadHTML(CString* pText, UINT nIDResource);
    // An icon of the given size.
    virtual HICON LoadIcon(int nID, CSize iconSize);
    virtual HICON LoadIconByName(LPCTSTR lpszResourceName, CSize iconSize);
    // The icon image of a group-icon resource that best fits the size.
    virtual HICON CreateIconFromInstance(HMODULE hInst, LPCTSTR lpszID, CSize iconSize);
    // Frees a loaded resource module.
    virtual void Close();
    virtual WORD GetResourcesLangID() const;
    // The first language other than US English among the program's resources,
    // else US English (1033); stored and returned.
    virtual WORD DetectResourcesLanguage();

    // Loads a string and shows it in a message box; returns the box's answer.
    int ShowMessageBox(UINT nIDPrompt, UINT nType = MB_OK);

    HMODULE GetResourceModule() const { return m_hResourceFile; }

protected:
    BOOL m_bValid;              // TRUE after construction
    HMODULE m_hResourceFile;    // a loaded resource module; nothing loads one yet
    WORD m_wResourcesLangID;    // 1033 after construction
};

// The process-wide resource manager, created on first use; throws the class
// library's invalid-argument exception when it cannot be had.
CXTPResourceManager* AFXAPI XTPResourceManager();
