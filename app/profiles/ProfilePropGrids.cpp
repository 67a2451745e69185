// The appearance and difficulty profile grids.
#include "ProfilePropGrids.h"
#include "GameServices.h"
#include "resource.h"

#include <stdlib.h>

namespace
{
// The custom colours of both grids: help pane, help text, lines, view
// background, item text, category text.
void SetProfileGridColors(CXTPPropertyGrid& grid)
{
    grid.SetCustomColors(RGB(225, 225, 225), RGB(51, 51, 51), RGB(181, 189, 210), RGB(255, 255, 255),
                         RGB(51, 51, 51), RGB(0, 0, 0));
}

struct ColourRow
{
    UINT nCaption;
    int nID;
};

const ColourRow kBoardRows[] = {
    {IDS_GRID_BORDER_COLOUR, htacBorder},
    {IDS_SQUARE_BORDER_COLOUR, htacSquareBorder},
    {IDS_SHADED_FILL_COLOUR, htacShadedFill},
    {IDS_SHADED_NUMBER_COLOUR, htacShadedNumber},
    {IDS_UNSHADED_FILL_COLOUR, htacUnshadedFill},
    {IDS_UNSHADED_NUMBER_COLOUR, htacUnshadedNumber},
    {IDS_ISLAND_FILL_COLOUR, htacIslandFill},
    {IDS_ISLAND_NUMBER_COLOUR, htacIslandNumber},
    {IDS_UNSHADED_DUP_FILL_COLOUR, htacUnshadedDupFill},
    {IDS_UNSHADED_DUP_NUMBER_COLOUR, htacUnshadedDupNumber},
    {IDS_ADJACENT_FILL_COLOUR, htacAdjacentShadedFill},
    {IDS_ADJACENT_NUMBER_COLOUR, htacAdjacentShadedNumber},
};

const ColourRow kClockRows[] = {
    {IDS_ON_COLOUR, htacMCOn},
    {IDS_OFF_COLOUR, htacMCOff},
    {IDS_BACKGROUND_COLOUR, htacMCBack},
};

void AddColourRows(CXTPPropertyGridItem* pCategory, const CAppearanceInfo& info, const ColourRow* pRows,
                   int nCount)
{
    for (int i = 0; i < nCount; i++)
    {
        CXTPPropertyGridItem* pItem = pCategory->AddChildItem(
            new CRookXTPPropertyGridItemColor(LoadResourceString(pRows[i].nCaption), info.GetColour(pRows[i].nID)));
        pItem->SetID((UINT)pRows[i].nID);
    }
}

CXTPPropertyGridItem* AddRow(CXTPPropertyGridItem* pCategory, CXTPPropertyGridItem* pItem, UINT nID,
                             BOOL bReadOnly = FALSE)
{
    pCategory->AddChildItem(pItem);
    pItem->SetID(nID);
    pItem->SetReadOnly(bReadOnly);
    return pItem;
}

// The BYTE flag of a difficulty profile that an aid row stands for.
BYTE* GradeFlag(CGradeInfo& info, UINT nID)
{
    switch (nID)
    {
    case htgiShowIslandSquares:
        return &info.m_bShowIslandSquares;
    case htgiShowUnshadedDups:
        return &info.m_bShowUnshadedDups;
    case htgiShowAdjacentShaded:
        return &info.m_bShowAdjacentShaded;
    case htgiEnableUnshadedUpdate:
        return &info.m_bEnableUnshadedUpdate;
    case htgiEnableAutoMark:
        return &info.m_bEnableAutoMark;
    case htgiForceComplete:
        return &info.m_bForceComplete;
    default:
        return NULL;
    }
}

// Applies a row's text to the profile, reading flags the way the row's Bool
// item reads its text.
BOOL ApplyGradeInfoText(CGradeInfo& info, CXTPPropertyGridItem* pItem, const CString& strValue)
{
    UINT nID = pItem->GetID();
    switch (nID)
    {
    case htgiProfileName:
        info.m_strProfileName = strValue;
        return TRUE;
    case htgiColumns:
        info.m_nColumns = atoi(strValue);
        return TRUE;
    case htgiRows:
        info.m_nRows = atoi(strValue);
        return TRUE;
    case htgiMinutesToComplete:
        info.m_nMinutesToComplete = atoi(strValue);
        return TRUE;
    default:
        break;
    }
    BYTE* pFlag = GradeFlag(info, nID);
    CXTPPropertyGridItemBool* pBool = dynamic_cast<CXTPPropertyGridItemBool*>(pItem);
    if (pFlag == NULL || pBool == NULL)
        return FALSE;
    *pFlag = strValue.CompareNoCase(pBool->GetTrueText()) == 0 ? 1 : 0;
    return TRUE;
}
} // namespace

//////////////////////////////////////////////////////////////////////////
// Applying and checking edits

BOOL AFXAPI ApplyAppearanceEdit(CAppearanceInfo& info, CXTPPropertyGridItem* pItem)
{
    if (pItem == NULL || pItem->GetID() > (UINT)htacMCBack)
        return FALSE;
    info.SetColour((int)pItem->GetID(), ParseColorText(pItem->GetValue()));
    return TRUE;
}

BOOL AFXAPI ApplyGradeInfoEdit(CGradeInfo& info, CXTPPropertyGridItem* pItem)
{
    if (pItem == NULL)
        return FALSE;
    BYTE* pFlag = GradeFlag(info, pItem->GetID());
    if (pFlag != NULL)
    {
        CXTPPropertyGridItemBool* pBool = dynamic_cast<CXTPPropertyGridItemBool*>(pItem);
        if (pBool == NULL)
            return FALSE;
        *pFlag = pBool->GetBool() ? 1 : 0;
        return TRUE;
    }
    return ApplyGradeInfoText(info, pItem, pItem->GetValue());
}

BOOL AFXAPI ValidateGradeInfo(const CGradeInfo& info, BOOL bCheckName, CString& strMessage)
{
    strMessage.Empty();
    if (bCheckName && info.m_strProfileName.IsEmpty())
        strMessage = LoadResourceString(IDS_ENTER_PROFILE_NAME);
    else if (info.m_nColumns < HT_MIN_GRID_SIDE_EDIT || info.m_nColumns > HT_MAX_GRID_SIDE_EDIT)
        strMessage.Format(LoadResourceString(IDS_COLUMNS_RANGE), HT_MIN_GRID_SIDE_EDIT, HT_MAX_GRID_SIDE_EDIT);
    else if (info.m_nRows < HT_MIN_GRID_SIDE_EDIT || info.m_nRows > HT_MAX_GRID_SIDE_EDIT)
        strMessage.Format(LoadResourceString(IDS_ROWS_RANGE), HT_MIN_GRID_SIDE_EDIT, HT_MAX_GRID_SIDE_EDIT);
    else
    {
        int nLow = info.m_bForceComplete ? 1 : 0;
        if (info.m_nMinutesToComplete < nLow || info.m_nMinutesToComplete > HT_MAX_MINUTES_TO_COMPLETE)
            strMessage.Format(LoadResourceString(IDS_MINUTES_RANGE), nLow);
    }
    return strMessage.IsEmpty();
}

BOOL AFXAPI ValidateGradeInfoChange(const CGradeInfo& before, const CGradeInfo& after, CString& strMessage)
{
    // Rules the edit did not touch are checked on values that pass them.
    CGradeInfo checked(after);
    if (after.m_nColumns == before.m_nColumns)
        checked.m_nColumns = HT_MIN_GRID_SIDE_EDIT;
    if (after.m_nRows == before.m_nRows)
        checked.m_nRows = HT_MIN_GRID_SIDE_EDIT;
    if (after.m_nMinutesToComplete == before.m_nMinutesToComplete && after.m_bForceComplete == before.m_bForceComplete)
        checked.m_nMinutesToComplete = HT_MAX_MINUTES_TO_COMPLETE;
    return ValidateGradeInfo(checked, FALSE, strMessage);
}

//////////////////////////////////////////////////////////////////////////
// CAppearancePropGrid

CAppearancePropGrid::CAppearancePropGrid()
{
}

void CAppearancePropGrid::RefreshItems()
{
    ResetContent();

    CXTPPropertyGridItem* pBoard = AddCategory(IDS_NUMBER_COLOUR);
    AddColourRows(pBoard, m_AppearanceInfo, kBoardRows, (int)(sizeof(kBoardRows) / sizeof(kBoardRows[0])));
    pBoard->Expand();

    CXTPPropertyGridItem* pClock = GetGridView().AddCategory(LoadResourceString(IDS_MATRIX_STATIC_CONTROL));
    AddColourRows(pClock, m_AppearanceInfo, kClockRows, (int)(sizeof(kClockRows) / sizeof(kClockRows[0])));
    pClock->Expand();

    ShowHelp(FALSE);
    SetProfileGridColors(*this);
}

//////////////////////////////////////////////////////////////////////////
// CGradeInfoPropGrid

CGradeInfoPropGrid::CGradeInfoPropGrid()
    : m_bValidateEdits(FALSE)
{
}

void CGradeInfoPropGrid::RefreshItems(BOOL bLockIdentity)
{
    ResetContent();
    const CGradeInfo& info = m_GradeInfo;

    CXTPPropertyGridItem* pName = GetGridView().AddCategory(LoadResourceString(IDS_PROFILE_NAME));
    AddRow(pName, new CXTPPropertyGridItem(LoadResourceString(IDS_PROFILE_NAME), info.m_strProfileName),
           htgiProfileName, bLockIdentity);
    pName->Expand();

    CXTPPropertyGridItem* pPuzzle = GetGridView().AddCategory("Puzzle Settings");
    AddRow(pPuzzle, new CXTPPropertyGridItemNumber(LoadResourceString(IDS_COLUMNS), info.m_nColumns), htgiColumns,
           bLockIdentity);
    AddRow(pPuzzle, new CXTPPropertyGridItemNumber(LoadResourceString(IDS_ROWS), info.m_nRows), htgiRows,
           bLockIdentity);
    pPuzzle->Expand();

    CXTPPropertyGridItem* pAids = GetGridView().AddCategory("Completion Features");
    AddRow(pAids, new CXTPPropertyGridItemBool(LoadResourceString(IDS_SHOW_ISLAND_SQUARES), info.m_bShowIslandSquares),
           htgiShowIslandSquares);
    AddRow(pAids, new CXTPPropertyGridItemBool(LoadResourceString(IDS_SHOW_UNSHADED_DUPS), info.m_bShowUnshadedDups),
           htgiShowUnshadedDups);
    AddRow(pAids,
           new CXTPPropertyGridItemBool(LoadResourceString(IDS_SHOW_ADJACENT_SHADED), info.m_bShowAdjacentShaded),
           htgiShowAdjacentShaded);
    AddRow(pAids,
           new CXTPPropertyGridItemBool(LoadResourceString(IDS_ENABLE_UNSHADED_UPDATE), info.m_bEnableUnshadedUpdate),
           htgiEnableUnshadedUpdate);
    AddRow(pAids, new CXTPPropertyGridItemBool(LoadResourceString(IDS_ENABLE_AUTOMARK), info.m_bEnableAutoMark),
           htgiEnableAutoMark);
    pAids->Expand();

    CXTPPropertyGridItem* pTimer = GetGridView().AddCategory("Timer Settings");
    AddRow(pTimer, new CXTPPropertyGridItemNumber(LoadResourceString(IDS_TARGET_TIME), info.m_nMinutesToComplete),
           htgiMinutesToComplete);
    AddRow(pTimer, new CXTPPropertyGridItemBool(LoadResourceString(IDS_FORCE_COMPLETE), info.m_bForceComplete),
           htgiForceComplete);
    pTimer->Expand();

    ShowHelp(FALSE);
    SetProfileGridColors(*this);
}

LRESULT CGradeInfoPropGrid::SendNotifyMessage(WPARAM wParam, LPARAM lParam)
{
    if (m_bValidateEdits && wParam == XTP_PGN_AFTEREDIT && lParam != 0)
    {
        XTP_PROPERTYGRID_EDITREQUEST* pRequest = (XTP_PROPERTYGRID_EDITREQUEST*)lParam;
        CGradeInfo proposed(m_GradeInfo);
        CString strMessage;
        if (pRequest->pItem != NULL && ApplyGradeInfoText(proposed, pRequest->pItem, pRequest->strValue) &&
            !ValidateGradeInfoChange(m_GradeInfo, proposed, strMessage))
        {
            // Refused: the row keeps its old value and the player hears why.
            pRequest->bCancel = TRUE;
            ShowInfoMessage(strMessage);
            return 0;
        }
    }

    LRESULT lResult = CXTPPropertyGrid::SendNotifyMessage(wParam, lParam);
    if (wParam == XTP_PGN_ITEMVALUE_CHANGED && lParam != 0)
        ApplyGradeInfoEdit(m_GradeInfo, (CXTPPropertyGridItem*)lParam);
    return lResult;
}
