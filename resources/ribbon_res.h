// Resource ids of the ribbon: the quick-access menus and the tooltips of the
// quick-access buttons.
#pragma once

#define XTP_IDR_RIBBON_QUICKACCESSMENU 9601
#define XTP_IDR_RIBBON_QUICKACCESSMENUMORE 9602
#define XTP_IDS_RIBBON_QUICKACCESS 9603
#define XTP_IDS_RIBBON_QUICKACCESSMORE 9611
