// Ids of the extended controls' resources: the colour dialog's pages and
// strings, and the hyperlink's error texts.
#pragma once

// Dialog templates of the colour dialog's pages.
#define XT_IDD_COLORCUSTOM      9313
#define XT_IDD_COLORSTANDARD    9314

// Controls of the pages.
#define XT_IDC_TXT_COLORS       100
#define XT_IDC_CLR_WND          101
#define XT_IDC_CLR_LUM          102
#define XT_IDC_CLR_HEX          103
#define XT_IDC_TXT_HUE          104
#define XT_IDC_TXT_SAT          105
#define XT_IDC_TXT_LUM          106
#define XT_IDC_TXT_RED          107
#define XT_IDC_TXT_GREEN        108
#define XT_IDC_TXT_BLUE         109
#define XT_IDC_EDIT_RED         110
#define XT_IDC_EDIT_GREEN       111
#define XT_IDC_SPIN_HUE         112
#define XT_IDC_EDIT_LUM         113
#define XT_IDC_EDIT_SAT         114
#define XT_IDC_EDIT_HUE         115
#define XT_IDC_SPIN_SAT         116
#define XT_IDC_SPIN_LUM         117
#define XT_IDC_EDIT_BLUE        118
#define XT_IDC_SPIN_RED         119
#define XT_IDC_SPIN_GREEN       120
#define XT_IDC_SPIN_BLUE        121

// The colour dialog's hex edit (a child of the sheet).
#define XT_IDC_EDIT_HEX         101

// Strings of the colour dialog.
#define XT_IDS_COLOR_CAPTION    9351
#define XT_IDS_NEW              9352
#define XT_IDS_CURRENT          9353

// The shell's error texts, as the hyperlink reports a failed open.
#define XT_IDS_SE_0             9357
#define XT_IDS_SE_ERR_FNF       9358
#define XT_IDS_SE_ERR_PNF       9359
#define XT_IDS_SE_ERR_ACCESSDENIED 9360
#define XT_IDS_SE_ERR_OOM       9361
#define XT_IDS_SE_ERR_BAD_FORMAT 9362
#define XT_IDS_SE_ERR_SHARE     9363
#define XT_IDS_SE_ERR_ASSOCINCOMPLETE 9364
#define XT_IDS_SE_ERR_DDETIMEOUT 9365
#define XT_IDS_SE_ERR_DDEFAIL   9366
#define XT_IDS_SE_ERR_DDEBUSY   9367
#define XT_IDS_SE_ERR_NOASSOC   9368
#define XT_IDS_SE_ERR_DLLNOTFOUND 9369
#define XT_IDS_SE_ERR_UNKOWN    9370
