// What the bars and controls read while they exchange themselves with a
// saved state: the exchange's context points to one of these records.
#pragma once

#include "XTPPropExchange.h"

class CXTPCommandBars;
class CXTPPropExchange;

struct XTP_COMMANDBARS_PROPEXCHANGE_PARAM
{
    XTP_COMMANDBARS_PROPEXCHANGE_PARAM()
        : bSerializeControls(FALSE), bSaveOnlyCustomized(TRUE), bLoadSilent(FALSE), bSaveOriginalControls(TRUE),
          bSerializeDesignerControls(FALSE), bSerializeImages(FALSE), bSerializeOptions(TRUE),
          bSerializeLayout(FALSE), bSerializeActions(FALSE), pCommandBars(NULL), nDamagedParts(0)
    {
    }

    BOOL bSerializeControls;        // not read by the bars
    BOOL bSaveOnlyCustomized;       // built-in bars that were not changed are left out
    BOOL bLoadSilent;               // a loaded toolbar merges without asking
    BOOL bSaveOriginalControls;     // the original-controls copies are saved too
    BOOL bSerializeDesignerControls;
    BOOL bSerializeImages;
    BOOL bSerializeOptions;
    BOOL bSerializeLayout;
    BOOL bSerializeActions;
    CXTPCommandBars* pCommandBars;  // given to every loaded bar
    int nDamagedParts;              // loading: damaged parts dropped while the rest was read
};

// The archive exchange of saved bars and controls. Bars and controls are
// stored by class name with the exchange's schema, which the loading side
// reads back as the schema of each object's values.
class CXTPCommandBarsArchiveExchange : public CXTPPropExchangeArchive
{
public:
    explicit CXTPCommandBarsArchiveExchange(CArchive& ar);
    virtual CXTPPropExchange* OpenSection(LPCTSTR lpszSection);
    virtual BOOL ExchangeClass(LPCTSTR pszPropName, CRuntimeClass*& pClass, CRuntimeClass* pDefaultClass);
};

// The record of the exchange, or NULL outside a command-bars exchange.
XTP_COMMANDBARS_PROPEXCHANGE_PARAM* AFX_CDECL XTPGetExchangeParam(CXTPPropExchange* pPX);

// The most of each thing a stored state may hold; larger counts are corrupt.
enum
{
    XTP_MAX_STORED_BARS = 1000,
    XTP_MAX_STORED_CONTROLS = 10000,
    XTP_MAX_STORED_MENUS = 1000,
    // Toolbars (the program's and the player's together): far more than a
    // player makes, and each one is a window laid out with the frame.
    XTP_MAX_STORED_TOOLBARS = 128
};
