// The painter of gallery controls.
#include "XTPControlGalleryPaintManager.h"

CXTPControlGalleryPaintManager::CXTPControlGalleryPaintManager(CXTPPaintManager* pPaintManager)
    : m_cxHScroll(16)
    , m_cyHScroll(16)
    , m_cyVScroll(16)
    , m_cxVScroll(16)
    , m_cyPopupUp(19)
    , m_cyPopupDown(19)
    , m_cxPopup(16)
    , m_pPaintManager(pPaintManager)
{
}

CXTPControlGalleryPaintManager::~CXTPControlGalleryPaintManager()
{
}

void CXTPControlGalleryPaintManager::RefreshMetrics()
{
    m_cxHScroll = ::GetSystemMetrics(SM_CXHSCROLL);
    m_cyHScroll = ::GetSystemMetrics(SM_CYHSCROLL);
    m_cxVScroll = ::GetSystemMetrics(SM_CXVSCROLL);
    m_cyVScroll = ::GetSystemMetrics(SM_CYVSCROLL);
    m_themeScrollBar.OpenThemeData(NULL, L"SCROLLBAR");
    m_cyPopupUp = 19;
    m_cyPopupDown = 19;
    m_cxPopup = 16;
}
