// Drawing an untrusted metafile in a process of its own.
//
// The system's record player reads whatever a record says: a record that
// lies can make it read far past its bytes, divide by zero or work for
// minutes. The checks of XTPImageEditorMetafile.h refuse what they can
// foresee; what they cannot foresee must still never reach the program. So
// a metafile that passes them is drawn by the metafile renderer, a small
// program installed beside every program that imports pictures
// (XTPMetafileRenderer.exe): it receives the bytes and the size of the image
// through a block of shared memory, plays them with the checked player onto
// a bitmap of its own, and hands back only the pixels. A fault, a run past
// the time limit or a grab of memory ends the renderer, not the program,
// and the picture is refused.
#pragma once

#include <afxwin.h>

#include <string>

// The renderer's file name; it is looked for beside the running program.
#define XTP_METAFILE_RENDERER_EXE _T("XTPMetafileRenderer.exe")
#define XTP_METAFILE_RENDERER_EXE_W L"XTPMetafileRenderer.exe"

// How long the program waits for a picture, in milliseconds, counted from
// the start of the renderer, and the most memory the renderer may take.
const DWORD XTP_METAFILE_RENDER_TIMEOUT = 1500;
const DWORD XTP_METAFILE_RENDER_MEMORY = 256 * 1024 * 1024;

// The renderer is started as "XTPMetafileRenderer.exe <name> <milliseconds>":
// the name of the shared block (a named file mapping) and its own time
// limit, after which it ends itself should the program no longer be there.
// The block the program and the renderer share: this header, the metafile
// bytes at offData, then cx x cy pixels (32 bits, top row first) at
// offPixels, which come in as the image to draw on and go back drawn.
struct XTP_METAFILE_RENDER_BLOCK
{
    DWORD dwSignature;   // XTP_METAFILE_RENDER_SIGNATURE
    DWORD cbBlock;       // bytes of the whole block
    LONG cx;
    LONG cy;
    DWORD offData;
    DWORD cbData;
    DWORD offPixels;
    // Set by the renderer: 1 drawn, 0 refused (with the reason in
    // szProblem); -1 while it has not answered.
    LONG nResult;
    // Set by the renderer to 1 once it has taken the call, before it
    // draws; 0 until then.
    LONG nStarted;
    char szProblem[256];
};
const DWORD XTP_METAFILE_RENDER_SIGNATURE = 0x424D5258;   // "XRMB"

// The renderer's exit codes besides the system's exception codes (and the
// run-time library's 3 for an abort).
enum XTPMetafileRendererExit
{
    xtpRendererDrawn = 0,
    xtpRendererRefused = 1,
    xtpRendererBadCall = 0x10,
    xtpRendererOutOfMemory = 0x11,
    xtpRendererOutOfTime = 0x12,
    xtpRendererException = 0x13
};

// Why a picture was not drawn: the picture itself was refused (by the
// checks, by the renderer, or because drawing it faulted or took too long);
// the renderer is missing or cannot be started, whatever the picture; it
// was started but never took the call within the time; or it took the call
// and was then ended from outside before it answered.
enum XTPMetafileRenderFailure
{
    xtpRenderNoFailure = 0,
    xtpRenderPictureRefused,
    xtpRenderNoRenderer,
    xtpRenderRendererSilent,
    xtpRenderRendererEnded
};

// Checks the metafile (XTPCheckMetafileData), then has the renderer draw it
// onto the cx x cy pixels of pPixels (32 bits, top row first), so that the
// picture fills them. While it waits the calling thread goes on handling
// what is sent or posted to it and painting its windows (input waits in the
// queue); after dwTimeout it ends the renderer. A renderer that faults is
// ended at once, with no word on the screen. TRUE with the pixels drawn;
// FALSE with the reason in strProblem, why in *pnFailure, and pPixels as
// they were.
BOOL AFX_CDECL XTPRenderMetafileApart(const BYTE* pData, size_t nSize, CSize sz, DWORD* pPixels,
                                      CString& strProblem, DWORD dwTimeout = XTP_METAFILE_RENDER_TIMEOUT,
                                      XTPMetafileRenderFailure* pnFailure = NULL);

// Where the renderer belongs: XTP_METAFILE_RENDERER_EXE in the folder of the
// running program, whether it is there or not; empty when the program's own
// path cannot be had. Wide characters, so that a folder of any letters is
// found.
std::wstring AFX_CDECL XTPMetafileRendererPath();

