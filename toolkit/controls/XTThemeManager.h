// The theme manager of the extended controls (the themed push button and the
// flat combo box). A control does not draw itself: it asks its style object,
// which a factory makes for the toolkit-wide theme number (0 classic,
// 1 Office XP, 2 Office 2003). The process-wide manager keeps one shared
// factory per factory class; a control may instead own a private factory
// whose style ignores the toolkit-wide number. A change of the number
// replaces the style of every shared factory and tells the controls that
// draw with it.
#pragma once

#include "XTPCommon.h"

class CXTThemeManagerStyleFactory;
class CXTThemeManagerStyleHost;

// Theme numbers of the extended controls.
enum XTThemeStyle
{
    xtThemeDefault = 0,
    xtThemeOfficeXP = 1,
    xtThemeOffice2003 = 2
};

// The drawing object of one control kind in one theme.
class CXTThemeManagerStyle
{
public:
    CXTThemeManagerStyle();
    virtual ~CXTThemeManagerStyle();

    // Re-reads system metrics and colours; derived styles call the base
    // first.
    virtual void RefreshMetrics();
    // Copies the parent's pixels under the control into the snapshot bitmap;
    // FALSE when the control has no parent window.
    virtual BOOL TakeSnapshot(CWnd* pWnd);
    // For a control with WS_EX_TRANSPARENT whose snapshot could be taken:
    // paints the snapshot at (0, 0) of the DC at the control's client size
    // and answers TRUE; FALSE otherwise.
    virtual BOOL DrawTransparentBack(CDC* pDC, CWnd* pWnd);

    CXTThemeManagerStyleFactory* GetFactory() const { return m_pFactory; }
    int GetThemeStyle() const { return m_nTheme; }

public:
    CXTThemeManagerStyleFactory* m_pFactory;   // the factory that owns this style
    int m_nTheme;                              // theme number it was made for
    CBitmap m_bmpSnapshot;                     // parent pixels under the control

private:
    CXTThemeManagerStyle(const CXTThemeManagerStyle&);
    CXTThemeManagerStyle& operator=(const CXTThemeManagerStyle&);
};

// Makes and owns the style of one control kind. Concrete factories override
// CreateTheme.
class CXTThemeManagerStyleFactory : public CObject
{
    DECLARE_DYNCREATE(CXTThemeManagerStyleFactory)
public:
    CXTThemeManagerStyleFactory();
    virtual ~CXTThemeManagerStyleFactory();

    // A new style for the theme number; the base makes none (null).
    virtual CXTThemeManagerStyle* CreateTheme(int nTheme);
    // Forwards to the style's RefreshMetrics when there is a style.
    virtual void RefreshMetrics();

    // The style, made for the manager's current number on first use; null
    // when it cannot be made (the next call tries again).
    CXTThemeManagerStyle* GetTheme();
    // Replaces the style (deleting the old one), refreshes it and tells
    // every host. A null style is refused: the old one stays.
    void SetTheme(CXTThemeManagerStyle* pTheme);
    // SetTheme(CreateTheme(n)).
    void OnThemeNumberChanged(int nTheme);

    // Hosts drawing with this factory.
    void AddHost(CXTThemeManagerStyleHost* pHost);
    void RemoveHost(CXTThemeManagerStyleHost* pHost);
    CXTThemeManagerStyleHost* GetFirstHost() const { return m_pHostHead; }

public:
    CXTThemeManagerStyle* m_pTheme;              // owned
    CXTThemeManagerStyleHost* m_pHostHead;       // hosts, linked through their m_pNextHost
    CXTThemeManagerStyleFactory* m_pNextFactory; // link in the manager's factory list

private:
    CXTThemeManagerStyleFactory(const CXTThemeManagerStyleFactory&);
    CXTThemeManagerStyleFactory& operator=(const CXTThemeManagerStyleFactory&);
};

// The process-wide manager.
class CXTThemeManager : public CNoTrackObject
{
public:
    CXTThemeManager();
    virtual ~CXTThemeManager();

    // The manager, created on first use. Throws the class library's
    // invalid-argument exception when it cannot be had.
    static CXTThemeManager* AFX_CDECL GetInstance();
    // The manager when it exists (never creates it).
    static CXTThemeManager* AFX_CDECL GetInstanceIfAlive();

    // A new factory of a class; null (and nothing left behind) when the
    // class cannot be created or makes no factory.
    static CXTThemeManagerStyleFactory* AFX_CDECL CreateFactoryOfClass(CRuntimeClass* pFactoryClass);
    // The shared factory of a class, made on first use. A class that cannot
    // be created gives null, and nothing is stored, so a later call tries
    // again.
    CXTThemeManagerStyleFactory* GetFactory(CRuntimeClass* pFactoryClass);
    // Changes the toolkit-wide theme number: refreshes the colour manager
    // and gives every shared factory a style of the new number. The same
    // number again does nothing.
    void SetTheme(int nTheme);
    int GetTheme() const { return m_nTheme; }

    // Every factory alive (shared and private) joins this list.
    void AddFactory(CXTThemeManagerStyleFactory* pFactory);
    void RemoveFactory(CXTThemeManagerStyleFactory* pFactory);
    int GetFactoryCount() const;

public:
    CMapPtrToPtr m_mapFactories;                  // run-time class -> shared factory
    int m_nTheme;
    CXTThemeManagerStyleFactory* m_pFactoryHead;
};

// Shorthand for CXTThemeManager::GetInstance().
inline CXTThemeManager* XTThemeManager()
{
    return CXTThemeManager::GetInstance();
}

// The mix-in a themed control inherits as its second base.
class CXTThemeManagerStyleHost
{
public:
    explicit CXTThemeManagerStyleHost(CRuntimeClass* pFactoryClass = NULL);
    virtual ~CXTThemeManagerStyleHost();

    // Creates an object of the factory class (for a private factory).
    virtual CXTThemeManagerStyleFactory* CreateFactory();
    // Called when the style changes; controls redraw or re-measure.
    virtual void OnThemeChanged();

    // Leaves the current shared factory and joins the shared factory of the
    // class.
    void SetFactoryClass(CRuntimeClass* pFactoryClass);
    // The private factory when set, else the shared one (may be null).
    CXTThemeManagerStyleFactory* GetFactory() const;
    // The factory's style; null without one.
    CXTThemeManagerStyle* GetTheme() const;
    // A style of the control's own (in a new private factory), or with null
    // the shared style again.
    void SetTheme(CXTThemeManagerStyle* pTheme);
    // Installs a factory the host does not own; null returns to the shared
    // one.
    void SetThemeFactory(CXTThemeManagerStyleFactory* pFactory);

public:
    BOOL m_bOwnsPrivateFactory;
    CRuntimeClass* m_pFactoryClass;
    CXTThemeManagerStyleFactory* m_pPrivateFactory;
    CXTThemeManagerStyleFactory* m_pSharedFactory;
    CXTThemeManagerStyleHost* m_pNextHost;        // link in a factory's host list

private:
    void LeaveFactory();
    void JoinFactory();
    void ReleasePrivateFactory();

    CXTThemeManagerStyleHost(const CXTThemeManagerStyleHost&);
    CXTThemeManagerStyleHost& operator=(const CXTThemeManagerStyleHost&);
};
