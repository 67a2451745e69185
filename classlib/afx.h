// afx.h - the core of the class library: basic macros, runtime classes and
// CObject, CString, the point/size/rectangle types, exceptions, module
// state, lazily created per-thread/per-process data, dates and variants,
// files and archives.  Collections live in afxcoll.h / afxtempl.h.
#ifndef BM_AFX_H
#define BM_AFX_H

#ifndef STRICT
#define STRICT
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif

#include <windows.h>
// Pulled in even under WIN32_LEAN_AND_MEAN: its GetFileTitle macro renames
// CFile::GetFileTitle, which must be the same in every file.
#include <commdlg.h>
#include <ole2.h>
#include <oleauto.h>
#include <tchar.h>
#include <stdarg.h>
#include <stddef.h>
#include <stdlib.h>
#include <string.h>
#include <stdio.h>
#include <time.h>
#include <limits.h>
#include <new>

#include "afxver_.h"
#include "afxobj.h"
#include "afxstr.h"
#include "afxtypes.h"
#include "afxexcept.h"
#include "afxstate.h"
#include "afxtls_.h"
#include "afxtime.h"
#include "afxvariant.h"
#include "afxfile.h"
#include "afxarch.h"

#endif // BM_AFX_H
