// Checked reading of metafiles for the button image editor's Import.
//
// An enhanced metafile or a placeable metafile is read only when every one
// of its records is of a kind this reader knows and what the record holds
// agrees with its size, with the file's header and with the objects made
// before it: counts and offsets lie inside the record, object indexes name a
// slot of the object table that holds an object of the right kind, bitmap
// headers describe bits that are there and a bitmap of bounded size.
// Playing then bounds what each record may cost: every point it draws
// through, the width of the pen and the height of the font must stay near
// the picture's place on the device, so no record makes the system draw a
// huge area, widen a huge pen or render huge glyphs.
#pragma once

#include <afxwin.h>

#include <vector>

// Limits on what one metafile may ask of the player.
struct XTP_METAFILE_LIMITS
{
    DWORD nMaxRecords;      // records in the file
    DWORD nMaxHandles;      // size of the object table
    DWORD nMaxPoints;       // points of every drawing record added up
    DWORD nMaxChars;        // characters of every text record added up
    DWORD nMaxSaveDepth;    // nested saved DC states
    LONG nMaxBitmapSide;    // width or height of a bitmap a record holds
    DWORD nMaxBitmapPixels; // width x height of such a bitmap
    // What drawing may cost, added up over the picture, in units of about a
    // microsecond: lines and curves by their pen's width on the device,
    // characters by their size, bitmaps by their pixels.
    DWORD nMaxDrawCost;
};

// The limits the image editor uses.
const XTP_METAFILE_LIMITS& AFX_CDECL XTPMetafileDefaultLimits();

// TRUE when the bytes start like an enhanced metafile (EMR_HEADER record
// with its signature) or a placeable metafile.
BOOL AFX_CDECL XTPIsEnhMetafileData(const BYTE* pData, size_t nSize);
BOOL AFX_CDECL XTPIsPlaceableMetafileData(const BYTE* pData, size_t nSize);

// Checks an enhanced or placeable metafile whole, without playing it. FALSE,
// with what is wrong in strProblem, for anything else: a plain metafile
// without the placeable header has no size of its own and is refused too.
BOOL AFX_CDECL XTPCheckMetafileData(const BYTE* pData, size_t nSize, CString& strProblem,
                                    const XTP_METAFILE_LIMITS& limits = XTPMetafileDefaultLimits());

// Checks the metafile, then plays it onto hDC so that its picture fills
// rcDest, record by record. First every record is priced and checked where
// it would draw, with nothing drawn: a picture that would cost more than the
// limits allow, or a record that would draw, or stroke or write with a pen
// or font, beyond a margin of the size of rcDest around it, is refused
// before any of it is drawn (FALSE with the reason). Only a line from a
// current position that text has moved far outside stops the playing
// partway (what was drawn before stays on the DC; the caller drops it).
BOOL AFX_CDECL XTPPlayMetafileData(HDC hDC, const RECT& rcDest, const BYTE* pData, size_t nSize, CString& strProblem,
                                   const XTP_METAFILE_LIMITS& limits = XTPMetafileDefaultLimits());
