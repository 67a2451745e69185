// The two profile grids: the colours of an appearance profile and the
// settings of a difficulty profile. A grid never writes to a profile: each
// edit reaches the grid's owner as the value-changed notification, and the
// owner applies it by item id with the functions below.
#pragma once

#include "AppearanceInfo.h"
#include "GradeInfo.h"
#include "RookXTPPropertyGridItemColor.h"

// Item ids of the difficulty grid.
enum HTGradeInfoItem
{
    htgiProfileName = 500,
    htgiColumns = 501,
    htgiRows = 502,
    htgiShowIslandSquares = 503,
    htgiShowUnshadedDups = 504,
    htgiShowAdjacentShaded = 505,
    htgiEnableUnshadedUpdate = 506,
    htgiEnableAutoMark = 507,
    htgiMinutesToComplete = 509,
    htgiForceComplete = 510
};

// The limits a difficulty profile must keep.
#define HT_MIN_GRID_SIDE_EDIT 5
#define HT_MAX_GRID_SIDE_EDIT 17
#define HT_MAX_MINUTES_TO_COMPLETE 60

// Applies a changed colour row (ids 0-18) to the profile; FALSE for any
// other item.
BOOL AFXAPI ApplyAppearanceEdit(CAppearanceInfo& info, CXTPPropertyGridItem* pItem);
// Applies a changed difficulty row (ids 500-510) to the profile; FALSE for
// any other item. Flags are read from the Bool items themselves.
BOOL AFXAPI ApplyGradeInfoEdit(CGradeInfo& info, CXTPPropertyGridItem* pItem);
// Checks a difficulty profile as its editor does before storing it: a name,
// columns and rows of 5-17, minutes of 0 (1 with force complete) to 60.
// FALSE, with the message to show, for the first check that fails; the name
// is checked only when bCheckName is set.
BOOL AFXAPI ValidateGradeInfo(const CGradeInfo& info, BOOL bCheckName, CString& strMessage);
// The same checks for one edit of a profile shown in a pane: only the rules
// the edit can break (a size that changed; the time when the time or force
// complete changed). A size outside the editor's limits that the puzzle
// already has, and that the pane shows read-only, blocks no other edit.
BOOL AFXAPI ValidateGradeInfoChange(const CGradeInfo& before, const CGradeInfo& after, CString& strMessage);

class CAppearancePropGrid : public CXTPPropertyGrid
{
public:
    CAppearancePropGrid();

    // The profile the next RefreshItems shows (a copy: the grid keeps no
    // reference into anyone's profile).
    void SetAppearanceInfo(const CAppearanceInfo& info) { m_AppearanceInfo.CopyFrom(info); }
    const CAppearanceInfo& GetAppearanceInfo() const { return m_AppearanceInfo; }

    // Rebuilds the rows from the profile: "Number Colour" (ids 0-11) and
    // "Matrix Static Control" (ids 16-18).
    void RefreshItems();

protected:
    CAppearanceInfo m_AppearanceInfo;
};

class CGradeInfoPropGrid : public CXTPPropertyGrid
{
public:
    CGradeInfoPropGrid();

    void SetGradeInfo(const CGradeInfo& info) { m_GradeInfo.CopyFrom(info); }
    const CGradeInfo& GetGradeInfo() const { return m_GradeInfo; }

    // Rebuilds the rows from the profile; with bLockIdentity the name,
    // columns and rows are read-only.
    void RefreshItems(BOOL bLockIdentity);

    // With validation on, an edit that would break the profile's limits is
    // refused with the editor's message and the old value stays; accepted
    // edits are kept in the grid's copy. The profile panes switch it on:
    // their edits reach the running game at once.
    void SetValidateEdits(BOOL bValidate) { m_bValidateEdits = bValidate; }

    virtual LRESULT SendNotifyMessage(WPARAM wParam, LPARAM lParam = 0);

protected:
    CGradeInfo m_GradeInfo;
    BOOL m_bValidateEdits;
};
