// CDocument and the document templates (CDocTemplate, CSingleDocTemplate).
#include "wndimpl.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::CDocument() : m_pDocTemplate(NULL), m_bModified(FALSE), m_bAutoDelete(TRUE), m_bEmbedded(FALSE)
{
}

CDocument::~CDocument()
{
    // Views still attached lose their document.
    for (POSITION pos = m_viewList.GetHeadPosition(); pos != NULL;)
    {
        CView* pView = (CView*)m_viewList.GetNext(pos);
        if (pView->m_pDocument == this)
            pView->m_pDocument = NULL;
    }
    m_viewList.RemoveAll();
    if (m_pDocTemplate != NULL)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    UpdateFrameCounts();   // the frames show the new title
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
    char szFullPath[_MAX_PATH];
    AfxFullPath(szFullPath, lpszPathName);
    m_strPathName = szFullPath;
    m_bEmbedded = FALSE;

    // The title is the file's name with its extension.
    char szTitle[_MAX_PATH];
    if (AfxGetFileTitle(szFullPath, szTitle, _MAX_PATH) == 0)
        SetTitle(szTitle);

    if (bAddToMRU)
    {
        if (CWinApp* pApp = AfxGetApp())
            pApp->AddToRecentFileList(m_strPathName);
    }
}

POSITION CDocument::GetFirstViewPosition() const
{
    return m_viewList.GetHeadPosition();
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    return (CView*)m_viewList.GetNext(rPosition);
}

void CDocument::AddView(CView* pView)
{
    if (pView == NULL || m_viewList.Find(pView) != NULL)
        return;
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = m_viewList.Find(pView);
    if (pos == NULL)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = NULL;
    OnChangedViewList();
}

void CDocument::OnChangedViewList()
{
    // The last view gone: an auto-deleting document closes.
    if (m_viewList.IsEmpty() && m_bAutoDelete)
    {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts()
{
    // Number the frames showing this document when there are several.
    std::vector<CFrameWnd*> frames;
    for (POSITION pos = m_viewList.GetHeadPosition(); pos != NULL;)
    {
        CView* pView = (CView*)m_viewList.GetNext(pos);
        if (pView->m_hWnd == NULL || !::IsWindowVisible(pView->m_hWnd))
            continue;
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame == NULL)
            continue;
        bool bSeen = false;
        for (CFrameWnd* p : frames)
            if (p == pFrame)
                bSeen = true;
        if (!bSeen)
            frames.push_back(pFrame);
    }
    int nFrames = (int)frames.size();
    for (int i = 0; i < nFrames; ++i)
    {
        frames[(size_t)i]->m_nWindow = nFrames > 1 ? i + 1 : 0;
        frames[(size_t)i]->OnUpdateFrameTitle(TRUE);
    }
    // Frames whose views are hidden still take the title.
    for (POSITION pos = m_viewList.GetHeadPosition(); pos != NULL;)
    {
        CView* pView = (CView*)m_viewList.GetNext(pos);
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != NULL && nFrames == 0)
        {
            pFrame->m_nWindow = 0;
            pFrame->OnUpdateFrameTitle(TRUE);
        }
    }
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    for (POSITION pos = m_viewList.GetHeadPosition(); pos != NULL;)
    {
        CView* pView = (CView*)m_viewList.GetNext(pos);
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::DeleteContents()
{
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

CFile* CDocument::GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    CFile* pFile = new CFile;
    if (!pFile->Open(lpszFileName, nOpenFlags, pError))
    {
        delete pFile;
        return NULL;
    }
    return pFile;
}

void CDocument::ReleaseFile(CFile* pFile, BOOL bAbort)
{
    if (pFile == NULL)
        return;
    if (bAbort)
    {
        pFile->Abort();
    }
    else
    {
        try
        {
            pFile->Close();
        }
        catch (CException* e)
        {
            e->Delete();
        }
    }
    delete pFile;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    CFileException fe;
    CFile* pFile = GetFile(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe);
    if (pFile == NULL)
    {
        ReportSaveLoadException(lpszPathName, &fe, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }

    DeleteContents();
    SetModifiedFlag();   // dirty while loading
    try
    {
        CArchive loadArchive(pFile, CArchive::load | CArchive::bNoFlushOnDelete);
        loadArchive.m_pDocument = this;
        CWaitCursor wait;
        if (pFile->GetLength() != 0)
            Serialize(loadArchive);
        loadArchive.Close();
    }
    catch (CException* e)
    {
        ReleaseFile(pFile, TRUE);
        DeleteContents();
        ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        e->Delete();
        return FALSE;
    }
    ReleaseFile(pFile, FALSE);
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
    CFileException fe;
    CFile* pFile = GetFile(lpszPathName, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &fe);
    if (pFile == NULL)
    {
        ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_INVALID_FILENAME);
        return FALSE;
    }
    try
    {
        CArchive saveArchive(pFile, CArchive::store | CArchive::bNoFlushOnDelete);
        saveArchive.m_pDocument = this;
        CWaitCursor wait;
        Serialize(saveArchive);
        saveArchive.Close();
        // A failing close (disk full...) is a failed save.
        pFile->Close();
    }
    catch (CException* e)
    {
        ReleaseFile(pFile, TRUE);
        ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    }
    delete pFile;
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault)
{
    (void)bSaving;
    CString strMessage;
    char szText[512] = "";
    if (e != NULL && e->GetErrorMessage(szText, sizeof(szText), NULL) && szText[0] != '\0')
        strMessage = szText;
    else
        AfxFormatString1(strMessage, nIDPDefault, lpszPathName != NULL ? lpszPathName : "");
    if (strMessage.IsEmpty())
        AfxFormatString1(strMessage, nIDPDefault, lpszPathName != NULL ? lpszPathName : "");
    AfxMessageBox(strMessage, MB_ICONEXCLAMATION, nIDPDefault);
}

void CDocument::OnCloseDocument()
{
    // Destroy every frame showing this document; the document must survive
    // until that is done.
    BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty())
    {
        CView* pView = (CView*)m_viewList.GetHead();
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != NULL)
        {
            PreCloseFrame(pFrame);
            pFrame->DestroyWindow();
        }
        else if (pView->m_hWnd != NULL)
        {
            pView->DestroyWindow();
        }
        // A view that did not leave the list on its own is taken out, so
        // this loop always ends.
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView)
            RemoveView(pView);
    }
    m_bAutoDelete = bAutoDelete;

    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrameArg)
{
    // Another frame on this document: closing this one loses nothing.
    for (POSITION pos = GetFirstViewPosition(); pos != NULL;)
    {
        CView* pView = GetNextView(pos);
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != NULL && pFrame != pFrameArg)
            return TRUE;
    }
    return SaveModified();
}

void CDocument::PreCloseFrame(CFrameWnd* pFrame)
{
    (void)pFrame;
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;

    CString strName = m_strPathName;
    if (strName.IsEmpty())
        strName = m_strTitle;
    if (strName.IsEmpty())
        strName.LoadString(AFX_IDS_UNTITLED);
    CString strPrompt;
    AfxFormatString1(strPrompt, AFX_IDP_ASK_TO_SAVE, strName);
    switch (AfxMessageBox(strPrompt, MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE))
    {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    case IDNO:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CDocument::DoFileSave()
{
    DWORD dwAttrib = ::GetFileAttributes(m_strPathName);
    if (m_strPathName.IsEmpty() || (dwAttrib != INVALID_FILE_ATTRIBUTES && (dwAttrib & FILE_ATTRIBUTE_READONLY)))
        return DoSave(NULL);   // ask for a name
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    CString strNewName = lpszPathName != NULL ? lpszPathName : "";
    if (strNewName.IsEmpty())
    {
        CDocTemplate* pTemplate = GetDocTemplate();
        strNewName = m_strPathName;
        if (bReplace && strNewName.IsEmpty())
        {
            strNewName = m_strTitle;
            // Characters a file name cannot hold stop the proposal.
            int iBad = strNewName.FindOneOf(" #%;/\\");
            if (iBad != -1)
                strNewName.Truncate(iBad);
            CString strExt;
            if (pTemplate != NULL && pTemplate->GetDocString(strExt, CDocTemplate::filterExt) && !strExt.IsEmpty())
            {
                int nSemi = strExt.Find(';');
                if (nSemi >= 0)
                    strExt.Truncate(nSemi);
                strNewName += strExt;
            }
        }
        CWinApp* pApp = AfxGetApp();
        if (pApp == NULL || !pApp->DoPromptFileName(strNewName, bReplace ? AFX_IDS_SAVEFILE : AFX_IDS_SAVEFILECOPY,
                                                    OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, FALSE, pTemplate))
            return FALSE;   // cancelled
    }

    CWaitCursor wait;
    if (!OnSaveDocument(strNewName))
    {
        if (lpszPathName == NULL)
        {
            // A new file that failed half-way is removed; an existing one is
            // left as the failed save found it.
            try
            {
                CFile::Remove(strNewName);
            }
            catch (CException* e)
            {
                e->Delete();
            }
        }
        return FALSE;
    }
    if (bReplace)
        SetPathName(strNewName);
    return TRUE;
}

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(NULL);
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (m_pDocTemplate != NULL && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// CDocTemplate

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass),
      m_bAutoDelete(TRUE)
{
    LoadTemplate();
}

CDocTemplate::~CDocTemplate()
{
}

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty())
        m_strDocStrings.LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, enum DocStringIndex index) const
{
    return AfxExtractSubString(rString, m_strDocStrings, (int)index);
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (pDoc->m_pDocTemplate == this)
        pDoc->m_pDocTemplate = NULL;
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch)
{
    rpDocMatch = NULL;
    for (POSITION pos = GetFirstDocPosition(); pos != NULL;)
    {
        CDocument* pDoc = GetNextDoc(pos);
        if (!pDoc->GetPathName().IsEmpty() && AfxComparePath(pDoc->GetPathName(), lpszPathName))
        {
            rpDocMatch = pDoc;
            return yesAlreadyOpen;
        }
    }

    CString strFilterExt;
    if (GetDocString(strFilterExt, filterExt) && !strFilterExt.IsEmpty())
    {
        const char* pszDot = strrchr(lpszPathName, '.');
        if (pszDot != NULL)
        {
            int iStart = 0;
            for (;;)
            {
                CString strExt = strFilterExt.Tokenize(";", iStart);
                if (iStart < 0)
                    break;
                if (lstrcmpiA(pszDot, strExt.TrimLeft("*")) == 0)
                    return yesAttemptNative;
            }
        }
    }
    return yesAttemptForeign;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (m_pDocClass == NULL)
        return NULL;
    CObject* pObject = m_pDocClass->CreateObject();
    CDocument* pDocument = DYNAMIC_DOWNCAST(CDocument, pObject);
    if (pDocument == NULL)
    {
        delete pObject;
        return NULL;
    }
    AddDocument(pDocument);
    return pDocument;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;

    if (m_pFrameClass == NULL)
        return NULL;
    CObject* pObject = m_pFrameClass->CreateObject();
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pObject);
    if (pFrame == NULL)
    {
        delete pObject;
        return NULL;
    }
    // A frame that fails to load deletes itself.
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL, &context))
        return NULL;
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
    for (POSITION pos = GetFirstDocPosition(); pos != NULL;)
    {
        CDocument* pDoc = GetNextDoc(pos);
        if (!pDoc->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL bEndSession)
{
    (void)bEndSession;
    POSITION pos = GetFirstDocPosition();
    while (pos != NULL)
    {
        CDocument* pDoc = GetNextDoc(pos);
        pDoc->OnCloseDocument();
    }
}

BOOL CDocTemplate::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

/////////////////////////////////////////////////////////////////////////////
// CSingleDocTemplate

IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                       CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_pOnlyDoc(NULL)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    if (m_pOnlyDoc != NULL)
    {
        CDocument* pDoc = m_pOnlyDoc;
        pDoc->OnCloseDocument();
        // A document that does not delete itself is at least unhooked.
        if (m_pOnlyDoc == pDoc)
            RemoveDocument(pDoc);
    }
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    if (m_pOnlyDoc == pDoc)
        m_pOnlyDoc = NULL;
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const
{
    return m_pOnlyDoc != NULL ? (POSITION)1 : NULL;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const
{
    CDocument* pDoc = NULL;
    if (rPos == (POSITION)1)
        pDoc = m_pOnlyDoc;
    rPos = NULL;
    return pDoc;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString strDocName;
    if (!GetDocString(strDocName, CDocTemplate::docName) || strDocName.IsEmpty())
    {
        if (!strDocName.LoadString(AFX_IDS_UNTITLED))
            strDocName = "Untitled";
    }
    pDocument->SetTitle(strDocName);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = NULL;
    CFrameWnd* pFrame = NULL;
    BOOL bCreated = FALSE;

    if (m_pOnlyDoc != NULL)
    {
        // One document only: it is reused (after the user had a chance to save).
        pDocument = m_pOnlyDoc;
        if (!pDocument->SaveModified())
            return NULL;
        CWnd* pMainWnd = AfxGetMainWnd();
        pFrame = (pMainWnd != NULL && pMainWnd->IsFrameWnd()) ? static_cast<CFrameWnd*>(pMainWnd) : NULL;
    }
    else
    {
        pDocument = CreateNewDocument();
        bCreated = TRUE;
    }
    if (pDocument == NULL)
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return NULL;
    }

    if (pFrame == NULL)
    {
        // The frame (and its view); the document must not go if it fails.
        BOOL bAutoDelete = pDocument->m_bAutoDelete;
        pDocument->m_bAutoDelete = FALSE;
        pFrame = CreateNewFrame(pDocument, NULL);
        pDocument->m_bAutoDelete = bAutoDelete;
        if (pFrame == NULL)
        {
            AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
            if (bCreated)
                delete pDocument;
            return NULL;
        }
    }

    if (lpszPathName == NULL)
    {
        SetDefaultTitle(pDocument);
        if (!pDocument->OnNewDocument())
        {
            if (bCreated)
                pFrame->DestroyWindow();   // takes the document along
            return NULL;
        }
    }
    else
    {
        CWaitCursor wait;
        BOOL bWasModified = pDocument->IsModified();
        pDocument->SetModifiedFlag(FALSE);
        if (!pDocument->OnOpenDocument(lpszPathName))
        {
            if (bCreated)
            {
                pFrame->DestroyWindow();
            }
            else if (!pDocument->IsModified())
            {
                // The old contents are untouched.
                pDocument->SetModifiedFlag(bWasModified);
            }
            else
            {
                // The old contents are gone: start a clean document.
                SetDefaultTitle(pDocument);
                if (!pDocument->OnNewDocument())
                    pFrame->DestroyWindow();
            }
            return NULL;
        }
        pDocument->SetPathName(lpszPathName);
    }

    CWinThread* pThread = AfxGetThread();
    if (bCreated && pThread != NULL && pThread->m_pMainWnd == NULL)
        pThread->m_pMainWnd = pFrame;   // InitialUpdateFrame shows it
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}
