// Ids of the property grid's resources.
#pragma once

#define XTP_IDR_TBAR_PROPGRID       9500    // toolbar and bitmap of the two sort buttons
#define XTP_IDC_SORT_CATEGORIZED    9501    // "Categorized"
#define XTP_IDC_SORT_ALPHABETIC     9502    // "Alphabetical"
#define XTP_IDS_PROPGRID_BOOLVALUES 9503    // "True\nFalse"
