// Office 2007 theme images and colours: a store that reads an INI-style theme
// text from a "TEXTFILE" resource, answers value and colour look-ups, and
// loads and caches named bitmaps drawn in nine parts (corners kept, edges and
// centre stretched).
#pragma once

#include "XTPCommon.h"
#include "XTPSystemHelpers.h"

class CXTPOffice2007ImageStore;

// One theme bitmap.
class CXTPOffice2007Image
{
public:
    explicit CXTPOffice2007Image(CXTPOffice2007ImageStore* pImages);
    virtual ~CXTPOffice2007Image();

    // Takes ownership of the bitmap; bAlpha says it has a usable alpha channel.
    void SetBitmap(HBITMAP hBitmap, BOOL bAlpha);
    HBITMAP GetBitmap() const { return m_hBitmap; }
    BOOL IsAlphaImage() const { return m_bAlpha; }

    // Mirror the picture (alpha images) on right-to-left DCs.
    void PreserveOrientation(BOOL bMirror = TRUE) { m_bImageOrientationPreserved = bMirror; }

    // Draws rcSrc of the bitmap into rcDest; the margins (left, top, right,
    // bottom of rcSizingMargins) are the corner sizes kept while the edges and
    // the centre stretch.
    void DrawImage(CDC* pDC, const CRect& rcDest, CRect rcSrc, CRect rcSizingMargins);
    // The same; a non-alpha picture leaves clrTransparent pixels out.
    void DrawImageTransparent(CDC* pDC, const CRect& rcDest, CRect rcSrc, CRect rcSizingMargins,
                              COLORREF clrTransparent);
    // With bit 0 of dwFlags a non-alpha picture is drawn through a 32-bit
    // buffer in which clrTransparent pixels become fully transparent.
    void DrawImageBuffered(CDC* pDC, const CRect& rcDest, CRect rcSrc, CRect rcSizingMargins,
                           COLORREF clrTransparent, DWORD dwFlags);

    // Part n of a picture made of nCount equal parts stacked vertically.
    CRect GetSource(int nState = 0, int nCount = 1) const;
    int GetWidth() const;
    int GetHeight() const;

private:
    CXTPOffice2007Image(const CXTPOffice2007Image&);
    CXTPOffice2007Image& operator=(const CXTPOffice2007Image&);

    void DrawNineParts(HDC hDestDC, HDC hSrcDC, const CRect& rcDest, const CRect& rcSrc, CRect rcMargins);
    void DrawPart(HDC hDestDC, const CRect& rcDest, HDC hSrcDC, const CRect& rcSrc);

    // A keyed picture drawn at one size, kept as a premultiplied 32-bit
    // bitmap whose transparent-colour pixels are fully transparent: drawing
    // it again is a single blend instead of a buffer, nine stretches and a
    // colour-keyed copy.
    struct KEYED_PICTURE
    {
        CRect rcSrc;
        CSize szDest;
        CRect rcMargins;
        COLORREF clrTransparent;
        HBITMAP hBitmap;
    };
    enum { kKeyedPictures = 8 };
    // The kept picture of this size, made and kept when missing: the list
    // is ordered by last use, so a picture drawn again moves to the front
    // and the one drawn longest ago makes room for a new one.
    HBITMAP GetKeyedPicture(HDC hDestDC, CSize szDest, const CRect& rcSrc, const CRect& rcMargins,
                            COLORREF clrTransparent);
    // A new premultiplied 32-bit picture of rcSrc drawn at szDest, whose
    // clrTransparent pixels are fully transparent and every other pixel
    // opaque (all opaque for COLORREF_NULL); the caller deletes it.
    HBITMAP RenderKeyedPicture(HDC hDestDC, CSize szDest, const CRect& rcSrc, const CRect& rcMargins,
                               COLORREF clrTransparent);
    static BOOL BlendPicture(HDC hDestDC, const CRect& rcDest, HBITMAP hPicture);
    void FreeKeyedPictures();

    HBITMAP m_hBitmap;
    BOOL m_bAlpha;
    BOOL m_bImageOrientationPreserved;
    BOOL m_bInvert;     // the alpha picture is currently mirrored
    CXTPOffice2007ImageStore* m_pImages;
    KEYED_PICTURE m_keyed[kKeyedPictures]; // the most recently drawn first
    int m_nKeyed;       // pictures kept in m_keyed
};

// The theme text and the cache of its images.
class CXTPOffice2007ImageStore
{
public:
    CXTPOffice2007ImageStore();
    virtual ~CXTPOffice2007ImageStore();

    // Loads the theme text named lpszIniFileName ("." read as "_"; the
    // default "OFFICE2007BLUE_INI" when NULL or empty) from the module. With
    // bFreeOnRelease the store frees the module when it is replaced or the
    // store goes. FALSE, with no text, when the theme cannot be had.
    BOOL LoadTheme(HMODULE hModule, LPCTSTR lpszIniFileName = NULL, BOOL bFreeOnRelease = FALSE);
    BOOL IsValid() const { return m_lpTextFile != NULL; }
    HMODULE GetResourceHandle() const { return m_hResource; }
    CString GetName() const { return m_strName; }

    // The value of a key in a section (upper case), or an empty string.
    CString GetValue(LPCTSTR lpszSectionName, LPCTSTR lpszKeyName) const;
    // "%i %i %i" as RGB; fields that do not convert count as 0; -1 when the
    // value is missing or empty.
    COLORREF GetImageColor(LPCTSTR lpszSectionName, LPCTSTR lpszKeyName) const;
    // The image of a name, cached; NULL without a module or name, or when the
    // bitmap cannot be loaded.
    CXTPOffice2007Image* GetImage(LPCTSTR lpszImageFile);

    // The lock that guards image loading and drawing.
    CXTPCriticalSection& GetLock() { return m_lock; }
    int GetCachedImageCount() const { return (int)m_mapImages.GetCount(); }

private:
    CXTPOffice2007ImageStore(const CXTPOffice2007ImageStore&);
    CXTPOffice2007ImageStore& operator=(const CXTPOffice2007ImageStore&);

    void RemoveAll();
    void ReleaseModule();
    // Reads every key of the theme text into the look-up map.
    void BuildIndex();
    CXTPOffice2007Image* LoadImage(LPCTSTR lpszImageFile);

    CString m_strName;
    HMODULE m_hResource;
    LPCWSTR m_lpTextFile;
    LPCWSTR m_lpTextFileEnd;
    BOOL m_bFreeOnRelease;
    CXTPCriticalSection m_lock;
    CMapStringToPtr m_mapImages;
    mutable CMapStringToString m_mapValues;     // "SECTION\nKEY" (upper case) -> value
};

// The shared store, built on first use with the default theme of the
// application's own module, destroyed at exit.
CXTPOffice2007ImageStore* AFXAPI XTPOffice2007ImageStore();
