// Icons, bitmap blending and the image manager: command images keyed by
// command id and width, in up to five states, drawn classic or with alpha.
#pragma once

#include "XTPCommon.h"
#include <afxcmn.h>
#include <afxtempl.h>

#include <vector>

class CXTPImageManager;
class CXTPImageManagerIconSet;
class CXTPPropExchange;
class COleDataObject;

// One image: a classic icon (colour plus mask) or a 32-bit bitmap with a
// straight (not premultiplied) alpha channel.
class CXTPImageManagerIconHandle
{
public:
    CXTPImageManagerIconHandle();
    CXTPImageManagerIconHandle(HICON hIcon);      // wraps, does not own
    CXTPImageManagerIconHandle(HBITMAP hBitmap);  // wraps, does not own
    CXTPImageManagerIconHandle(const CXTPImageManagerIconHandle& hHandle);  // shares, does not own
    ~CXTPImageManagerIconHandle();

    void Clear();
    void AttachIcon(HICON hIcon);
    // The same for an icon whose size the caller knows (reading it costs a
    // copy of the icon's bitmaps).
    void AttachIcon(HICON hIcon, CSize szExtent);
    void AttachBitmap(HBITMAP hBitmap);
    // A classic icon given by its masked bitmap (see GetMaskedBitmap), which
    // this handle now owns; the icon itself is made from it when first asked
    // for, as drawing needs only the bitmap.
    void AttachMaskedBitmap(HBITMAP hMasked, CSize szExtent);
    void CopyBitmap(HBITMAP hBitmap);
    void CopyHandle(const CXTPImageManagerIconHandle& hHandle);
    // Moves the images here when hHandle owns them and copies them when it
    // only wraps them; either way this handle owns its images and hHandle
    // is left empty.
    void TakeHandle(CXTPImageManagerIconHandle& hHandle);

    BOOL IsEmpty() const { return m_hIcon == NULL && m_hBitmap == NULL && !m_bIconPending; }
    BOOL IsAlpha() const { return m_hBitmap != NULL; }
    HICON GetIcon() const;
    HBITMAP GetBitmap() const { return m_hBitmap; }
    HBITMAP GetPremultipliedBitmap() const { return m_hPremultiplied; }
    operator HICON() const { return GetIcon(); }
    CSize GetExtent() const;

    BOOL PreMultiply();
    // A classic icon as a 32-bit premultiplied bitmap (opaque where the mask
    // is clear, transparent where it is set), made once and drawn by alpha
    // blending, which is much cheaper than drawing the icon; NULL for an icon
    // with pixels that invert the background, or without a colour bitmap.
    HBITMAP GetMaskedBitmap() const;

    BOOL LoadIcon(UINT nIDResourceIcon, int cx, int cy, BOOL bGroup = TRUE);
    BOOL LoadIconFromResource(HMODULE hModule, UINT nIDResourceIcon, int cx, int cy, BOOL bGroup);

    // Loads an RT_ICON resource's bytes (header, then pixels); every stored
    // field is checked first.
    BOOL LoadIconFromData(const BYTE* pData, DWORD dwSize, int cx, int cy);

private:
    CXTPImageManagerIconHandle& operator=(const CXTPImageManagerIconHandle&);

    HICON MakeIconFromMasked() const;

    mutable HICON m_hIcon;      // made from m_hMasked on first use while m_bIconPending
    HBITMAP m_hBitmap;
    HBITMAP m_hPremultiplied;
    BOOL m_bOwns;
    mutable CSize m_szExtent;   // measured once (reading an icon's size copies its bitmaps); cx < 0: not yet
    mutable HBITMAP m_hMasked;  // see GetMaskedBitmap
    mutable int m_nMasked;      // 0 not made yet, 1 made, -1 cannot be made
    mutable BOOL m_bIconPending;  // the icon is still to be made from m_hMasked
};

// The image of one command at one width, in all its states.
class CXTPImageManagerIcon : public CCmdTarget
{
public:
    CXTPImageManagerIcon(UINT nID, int nWidth, int nHeight, CXTPImageManagerIconSet* pIconSet = NULL);
    virtual ~CXTPImageManagerIcon();

    UINT GetID() const { return m_nID; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    CXTPImageManagerIconSet* GetIconSet() const { return m_pIconSet; }

    CXTPImageManagerIconHandle& GetIcon();
    CXTPImageManagerIconHandle& GetHotIcon();
    CXTPImageManagerIconHandle& GetCheckedIcon();
    CXTPImageManagerIconHandle& GetPressedIcon();
    CXTPImageManagerIconHandle& GetDisabledIcon(BOOL bCreateIfNotExists = TRUE);
    CXTPImageManagerIconHandle& GetFadedIcon();
    CXTPImageManagerIconHandle& GetShadowIcon();
    CXTPImageManagerIconHandle& GetIconByState(int nState);
    BOOL HasDisabledIcon() const;
    BOOL IsAlpha() const { return m_arrImages[imageNormal].IsAlpha(); }
    CSize GetExtent() const { return m_arrImages[imageNormal].GetExtent(); }

    void SetIcon(const CXTPImageManagerIconHandle& hIcon);
    // SetIcon without a copy: the images move out of hIcon (see TakeHandle).
    void TakeIcon(CXTPImageManagerIconHandle& hIcon);
    void SetHotIcon(const CXTPImageManagerIconHandle& hIcon);
    void SetCheckedIcon(const CXTPImageManagerIconHandle& hIcon);
    void SetPressedIcon(const CXTPImageManagerIconHandle& hIcon);
    void SetDisabledIcon(const CXTPImageManagerIconHandle& hIcon);
    void ClearGeneratedIcons();
    void Clear(BOOL bIcon = FALSE);

    CXTPImageManager* GetImageManager() const;

    void Draw(CDC* pDC, CPoint pt, CXTPImageManagerIconHandle& hIcon, CSize szIcon = CSize(0, 0));
    void DrawNormal(CDC* pDC, CPoint pt, CSize szIcon = CSize(0, 0)) { Draw(pDC, pt, GetIcon(), szIcon); }
    void DrawMono(CDC* pDC, CPoint pt, CXTPImageManagerIconHandle& hIcon, int cx, int cy, COLORREF clrColor);

    void CreateFadedIcon();
    void CreateShadowIcon();
    void CreateDisabledIcon(COLORREF clrDisabledLight = COLORREF_NULL, COLORREF clrDisabledDark = COLORREF_NULL);

    // Loading a damaged stored form reads it to its end and then throws an
    // archive exception (badIndex).
    virtual void Serialize(CArchive& ar);
    // Reads the stored form (without the width), in step past damaged
    // images, which come back empty and set bDamaged; TRUE when the icon has
    // its normal image. Throws only when the form cannot be framed.
    BOOL LoadStoredForm(CArchive& ar, BOOL& bDamaged);
    // One image as two DIB blocks (colour or alpha bitmap, then mask).
    static void AFX_CDECL SerializeImage(CXTPImageManagerIconHandle& hIcon, CArchive& ar);

    static CSize AFX_CDECL GetIconExtent(HICON hIcon);
    static HICON AFX_CDECL ScaleIcon(HICON hIcon, CSize szOld, int nNewWidth);
    static COLORREF AFX_CDECL LightenColor(COLORREF clr, double dFactor);

    BOOL m_bDrawWithAlpha;  // classic icons are drawn through alpha blending

    enum ImageIndex
    {
        imageNormal, imageFaded, imageShadow, imageHot, imageChecked, imagePressed, imageDisabled,
        imageDisabledAuto, imageCount
    };

private:
    UINT m_nID;
    int m_nWidth;
    int m_nHeight;
    CXTPImageManagerIconHandle m_arrImages[imageCount];
    CXTPImageManagerIconSet* m_pIconSet;

    friend class CXTPImageManager;
};

// The icons of one command, keyed by width.
class CXTPImageManagerIconSet : public CCmdTarget
{
public:
    typedef CMap<UINT, UINT, CXTPImageManagerIcon*, CXTPImageManagerIcon*> CIconSetMap;

    CXTPImageManagerIconSet(UINT nID, CXTPImageManager* pImageManager);
    virtual ~CXTPImageManagerIconSet();

    CXTPImageManagerIcon* GetIcon(UINT nWidth, BOOL bScaled = TRUE);
    CXTPImageManagerIcon* CreateIcon(UINT nWidth);
    void RemoveAll();
    void RefreshIcons();

    UINT GetID() const { return m_nID; }
    CXTPImageManager* GetImageManager() const { return m_pImageManager; }
    CIconSetMap* GetIcons() { return &m_mapIcons; }

private:
    // Keeps pIcon (taking its reference) as the icon of width nWidth,
    // releasing the one it replaces.
    void SetIcon(UINT nWidth, CXTPImageManagerIcon* pIcon);

    CIconSetMap m_mapIcons;
    UINT m_nID;
    CXTPImageManager* m_pImageManager;

    friend class CXTPImageManager;
};

class CXTPImageManager : public CCmdTarget
{
public:
    typedef BOOL (WINAPI* PFNALPHABLEND)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
    typedef BOOL (WINAPI* PFNTRANSPARENTBLT)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);

    CXTPImageManager();
    virtual ~CXTPImageManager();

    BOOL SetIcons(UINT nIDResourceBitmap, const UINT* pCommands = NULL, int nCount = 0, CSize szIcon = CSize(0, 0),
                  int imageState = xtpImageNormal);
    BOOL SetIconsFromResource(UINT nIDResourceBitmap, const UINT* pCommands, int nCount, CSize szIcon,
                              int imageState = xtpImageNormal);
    BOOL SetIconsFromBitmap(CBitmap* pBitmap, const UINT* pCommands, int nCount, CSize szIcon, int imageState,
                            BOOL bAlpha);
    BOOL SetIconsFromBitmap(HBITMAP hBitmap, const UINT* pCommands, int nCount, CSize szIcon, int imageState,
                            BOOL bAlpha);
    BOOL SetIconsFromImageList(CImageList* pImageList, const UINT* pCommands, int nCount, CSize szIcon,
                               int imageState = xtpImageNormal);
    BOOL SetIconsFromImageList(HIMAGELIST hImageList, const UINT* pCommands, int nCount, CSize szIcon,
                               int imageState = xtpImageNormal);
    BOOL SetIcon(const CXTPImageManagerIconHandle& hIcon, UINT nIDCommand, CSize szIcon = CSize(0, 0),
                 int imageState = xtpImageNormal);
    // SetIcon for a handle the caller gives away: the normal image moves
    // out of hIcon instead of being copied.
    BOOL TakeIcon(CXTPImageManagerIconHandle& hIcon, UINT nIDCommand, CSize szIcon = CSize(0, 0),
                  int imageState = xtpImageNormal);
    UINT AddCustomIcon(const CXTPImageManagerIconHandle& hIcon);

    CXTPImageManagerIconSet* GetIconSet(UINT nCommand) const;
    CXTPImageManagerIcon* GetImage(UINT nCommand, int nWidth = 16) const;
    BOOL HasIcon(UINT nCommand, int nWidth = 16) const;
    void RemoveAll();
    void RefreshAll();
    COLORREF SetMaskColor(COLORREF clrMask);
    COLORREF GetMaskColor() const { return m_clrMask; }
    BOOL IsAlphaImageListSupported();
    UINT GetCustomIdCounter() const { return m_nCustomID; }
    CMap<UINT, UINT, CXTPImageManagerIconSet*, CXTPImageManagerIconSet*>* GetImages() { return &m_mapImages; }

    // Exchange and clipboard. Saving: FALSE when an image could not be
    // stored whole (the store keeps no earlier value in its place).
    BOOL DoPropExchange(CXTPPropExchange* pPX);
    // Saves or loads the icons of one command. Saving: FALSE when an icon
    // could not be stored whole. Loading: TRUE when the stored set read back
    // whole; damaged icons are dropped (a set left without icons is
    // removed) and the rest is kept.
    BOOL DoPropExchangeIconSet(UINT nCommand, CXTPPropExchange* pPX);
    virtual void Serialize(CArchive& ar);
    // Puts the command's icon set (every width) on the clipboard, which the
    // caller has opened and emptied and closes afterwards; FALSE when it
    // could not be put there.
    BOOL CopyImage(UINT nCommand);
    UINT PasteCustomImage(COleDataObject* pData);
    // Reads an icon set from a block in the clipboard's form under a new
    // custom id; 0 when it cannot be read.
    UINT PasteCustomImage(HGLOBAL hGlobal);
    static UINT AFX_CDECL GetImageClipFormat();
    static UINT AFX_CDECL GetAlphaBitmapClipFormat();

    // Loading. The ...FromBytes forms take a whole file already read (and
    // refuse what the file forms would refuse, too large files included).
    // With nMaxPixels, a picture of more pixels (width x height, as its
    // header gives them) is refused before any bitmap is made.
    static HBITMAP AFX_CDECL LoadBitmapFromFile(LPCTSTR lpszFileName, BOOL* pbAlphaBitmap, DWORD nMaxPixels = 0);
    static HBITMAP AFX_CDECL LoadBitmapFromBytes(const BYTE* pData, DWORD nSize, BOOL* pbAlphaBitmap,
                                                 DWORD nMaxPixels = 0);
    // The width and height a BMP or PNG file gives in its header; FALSE when
    // the bytes start as neither.
    static BOOL AFX_CDECL GetBitmapFileSize(const BYTE* pData, DWORD nSize, CSize* pSize);
    // Icon and cursor files share one layout. TRUE when the bytes are such a
    // file whose every listed image (PNG or bitmap with colour table, colour
    // and mask rows) lies whole inside it with sane sizes.
    static BOOL AFX_CDECL IsSoundIconFile(const BYTE* pData, DWORD nSize);
    // The 32-bit image of an icon or cursor file (of the width, else the
    // first one) with its alpha channel, as a top-down 32-bit DIB section;
    // null when the file holds none, or one without alpha, or is damaged.
    static HBITMAP AFX_CDECL LoadAlphaIconFromFile(LPCTSTR lpszFileName, int nWidth);
    static HBITMAP AFX_CDECL LoadAlphaIconFromBytes(const BYTE* pData, DWORD nSize, int nWidth);
    // An icon of the size from the image nearest that width (the deepest
    // among equals) of an icon or cursor file that IsSoundIconFile accepts;
    // null otherwise.
    static HICON AFX_CDECL LoadIconFromFile(LPCTSTR lpszFileName, CSize szIcon);
    static HICON AFX_CDECL LoadIconFromBytes(const BYTE* pData, DWORD nSize, CSize szIcon);
    static HBITMAP AFX_CDECL LoadBitmapFromResource(LPCTSTR lpszResource, BOOL* pbAlphaBitmap);
    static HBITMAP AFX_CDECL LoadBitmapFromResource(HMODULE hModule, LPCTSTR lpszResource, BOOL* pbAlphaBitmap);
    static HBITMAP AFX_CDECL LoadAlphaBitmap(UINT nIDResource);
    static HBITMAP AFX_CDECL LoadAlphaBitmap(HMODULE hModule, LPCTSTR lpszResource);
    static BOOL AFX_CDECL SplitAlphaBitmap(HBITMAP hBitmap, int nCount, HBITMAP* pDest);

    // Bitmap helpers.
    static HBITMAP AFX_CDECL Create32BitDIBSection(HDC hDC, int cx, int cy, LPBYTE* lpBits = NULL);
    // Reads the cx x cy pixels of a bitmap of that size into pPixels as
    // 32-bit values, top row first; FALSE when they cannot be read.
    static BOOL AFX_CDECL ReadPixels32(HBITMAP hBitmap, int cx, int cy, DWORD* pPixels);
    static BOOL AFX_CDECL GetBitmapBits(CDC* pDC, HBITMAP hBitmap, PBITMAPINFO& pBitmapInfo, LPVOID& pBits,
                                        UINT& nSize);
    static HBITMAP AFX_CDECL CopyAlphaBitmap(HBITMAP hBitmap);
    static HBITMAP AFX_CDECL PreMultiplyAlphaBitmap(HBITMAP hBitmap, BOOL* pbAlpha = NULL);
    static HBITMAP AFX_CDECL MirrorAlphaBitmap(HBITMAP hBitmap);
    static BOOL AFX_CDECL AlphaBlend(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc);
    static BOOL AFX_CDECL TransparentBlt(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc,
                                         UINT clrTransparent);
    static BOOL AFX_CDECL DrawAlphaBitmap(CDC* pDC, HBITMAP hBitmap, CPoint ptDest, CSize szDest,
                                          CPoint ptSrc = CPoint(0, 0), CSize szSrc = CSize(0, 0));
    static BOOL AFX_CDECL DrawIconWithAlpha(CDC* pDC, int x, int y, int cx, int cy, HICON hIcon);
    static CSize AFX_CDECL GetIconExtent(HICON hIcon) { return CXTPImageManagerIcon::GetIconExtent(hIcon); }
    static HICON AFX_CDECL ScaleIcon(HICON hIcon, CSize szOld, int nNewWidth)
    {
        return CXTPImageManagerIcon::ScaleIcon(hIcon, szOld, nNewWidth);
    }
    static COLORREF AFX_CDECL LightenColor(COLORREF clr, double dFactor)
    {
        return CXTPImageManagerIcon::LightenColor(clr, dFactor);
    }

    COLORREF m_clrMask;
    CMap<UINT, UINT, CXTPImageManagerIconSet*, CXTPImageManagerIconSet*> m_mapImages;
    UINT m_nCustomID;
    HMODULE m_hMsImgDll;
    PFNALPHABLEND m_pfnAlphaBlend;          // null: blending in software
    PFNTRANSPARENTBLT m_pfnTransparentBlt;  // null: masked blits
    int m_nRTLMode;  // classic icons mirrored: 1 always, 2 on right-to-left DCs, else never

private:
    BOOL AddIconsFromImageList(HIMAGELIST hImageList, const UINT* pCommands, int nCount, CSize szIcon,
                               int imageState);
    // The icons of a set as an archive stores them; TRUE when whole.
    BOOL LoadIconSetFromArchive(CXTPImageManagerIconSet* pIconSet, CArchive& ar);
};

// The shared image manager, built with the program's global objects.
CXTPImageManager* AFX_CDECL XTPImageManager();

// Reads a whole image file of at most nMax bytes into data; FALSE, with data
// left empty, when it cannot be read, is empty or is larger.
BOOL AFXAPI XTPReadImageFile(LPCTSTR lpszFileName, DWORD nMax, std::vector<BYTE>& data);
