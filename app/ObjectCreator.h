// The game's object creator: the list controls and info dialogs of the two
// profile kinds (0 appearance, 1 difficulty) for the generic list dialogs.
#pragma once

#include "RookGeneric.h"

// Kinds of profile lists.
enum HTProfileKind
{
    htpkAppearance = 0,
    htpkDifficulty = 1
};

class CObjectCreator : public CRookGenericObjectCreator
{
public:
    CObjectCreator();
    virtual ~CObjectCreator();

    // Kind 0: the appearance list control; kind 1: the difficulty list
    // control; null for any other kind.
    virtual CRookGenericListCtrl* CreateListCtrl(int* pnType);
    // Kind 0: the appearance editor; kind 1: the difficulty editor.
    virtual CRookGenericInfoDlg* CreateInfoDlg(int* pnType);
    // Always null.
    virtual CObject* CreateOtherObject(int* pnType);
};
