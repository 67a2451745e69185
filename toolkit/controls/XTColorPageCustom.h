// The "Custom" page of the colour dialog: a spectrum window (hue across,
// saturation up, at luminance 0.5), a luminance bar (the current hue and
// saturation from black to white) and six fields with spin buttons for hue,
// saturation, luminance, red, green and blue, each 0-255. A change in one of
// them updates the others and the dialog's new colour.
#pragma once

#include "XTColorPageStandard.h"

#include <afxcmn.h>

class CXTColorDialog;

// The picture windows' common part: a colour, its HSL, a marker and a
// picture kept in a memory DC.
class CXTColorBase : public CStatic
{
    DECLARE_DYNAMIC(CXTColorBase)
public:
    // Which picker has the focus (one for the process): 0 none, 1 the
    // spectrum, 2 the luminance bar.
    enum { focusNone = 0, focusSpectrum = 1, focusLuminance = 2 };
    static int s_nFocus;

    CXTColorBase();
    virtual ~CXTColorBase();

    // Stores the colour and its HSL and redraws; with bUpdatePos the marker
    // moves to the colour (in the derived windows).
    virtual void SetColor(COLORREF clr, BOOL bUpdatePos);
    virtual COLORREF GetColor() const { return m_clrColor; }
    // The picture's colour at (x, y) becomes the colour when there is one
    // (told to the page with bNotify); the marker moves there in any case.
    virtual void UpdateColor(int x, int y, BOOL bNotify);
    // Adds SS_NOTIFY; FALSE without a window.
    virtual BOOL SetNotify();

    CPoint GetMarker() const { return m_ptMarker; }
    double GetHue() const { return m_dHue; }
    double GetSaturation() const { return m_dSat; }
    double GetLuminance() const { return m_dLum; }
    // The picture's pixel, CLR_INVALID outside it.
    COLORREF GetPictureColor(int x, int y);

protected:
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();
    // Makes the picture when it is missing; FALSE when it cannot be made.
    virtual BOOL EnsurePicture() { return FALSE; }
    void FreePicture();
    BOOL CreatePicture(int cx, int cy, DWORD** ppBits);
    void EndDialogOK();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg UINT OnGetDlgCode();
    DECLARE_MESSAGE_MAP()

    // The point a click or drag picks (the derived windows clamp it).
    virtual CPoint PickPoint(CPoint point) { return point; }
    virtual int FocusId() const { return focusNone; }

public:
    CDC m_dcPicture;          // the picture
    BOOL m_bPreSubclassInit;  // cleared by PreCreateWindow
    COLORREF m_clrColor;
    double m_dLum;
    double m_dSat;
    double m_dHue;
    CPoint m_ptMarker;

protected:
    HBITMAP m_hPicture;
    HBITMAP m_hOldPicture;
    CSize m_sizePicture;
};

// The spectrum: pixel (x, h - 1 - y) is HLStoRGB(x / w, 0.5, y / h).
class CXTColorWnd : public CXTColorBase
{
    DECLARE_DYNAMIC(CXTColorWnd)
public:
    CXTColorWnd();

    virtual void SetColor(COLORREF clr, BOOL bUpdatePos);
    virtual void UpdateColor(int x, int y, BOOL bNotify);
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    void SetHue(double dHue);
    void SetSaturation(double dSat);

    // The spectrum and the marker, as WM_PAINT draws them.
    void DrawPicture(CDC* pDC);

protected:
    virtual BOOL EnsurePicture();
    virtual CPoint PickPoint(CPoint point);
    virtual int FocusId() const { return focusSpectrum; }
    void DrawMarker(CDC* pDC);

    afx_msg void OnPaint();
    afx_msg void OnPrintClient(CDC* pDC, UINT nFlags);
    DECLARE_MESSAGE_MAP()
};

// The luminance bar: the current hue and saturation from black at the
// bottom to white at the top, with an arrow at the chosen row. Its marker
// and arrow y count from the bar's top row.
class CXTColorLum : public CXTColorBase
{
    DECLARE_DYNAMIC(CXTColorLum)
public:
    CXTColorLum();

    virtual void SetColor(COLORREF clr, BOOL bUpdatePos);
    virtual void UpdateColor(int x, int y, BOOL bNotify);
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    void SetLuminance(double dLum);
    // The bar: the client rectangle less 4 pixels at top and bottom, 14
    // pixels wide at the left.
    CRect GetBarRect();
    // The bar, the background and the arrow, as WM_PAINT draws them.
    void DrawPicture(CDC* pDC);

    int m_nArrowY;

protected:
    virtual BOOL EnsurePicture();
    virtual CPoint PickPoint(CPoint point);
    virtual int FocusId() const { return focusLuminance; }
    // Rebuilds the bar's picture for the current hue and saturation.
    BOOL BuildBar();
    void DrawArrow(CDC* pDC);

    afx_msg void OnPaint();
    afx_msg void OnPrintClient(CDC* pDC, UINT nFlags);
    DECLARE_MESSAGE_MAP()

    double m_dBarHue;   // the hue and saturation the picture was built for
    double m_dBarSat;
};

class CXTColorPageCustom : public CPropertyPage
{
    DECLARE_DYNAMIC(CXTColorPageCustom)
public:
    explicit CXTColorPageCustom(CXTColorDialog* pParentSheet = NULL);
    virtual ~CXTColorPageCustom();

    virtual BOOL OnSetActive();

    CXTColorWnd m_colorWnd;
    CXTColorLum m_colorLum;
    CStatic m_txtHue, m_txtSat, m_txtLum, m_txtRed, m_txtGreen, m_txtBlue;
    CSpinButtonCtrl m_spinHue, m_spinSat, m_spinLum, m_spinRed, m_spinGreen, m_spinBlue;
    CEdit m_editHue, m_editSat, m_editLum, m_editRed, m_editGreen, m_editBlue;
    int m_nR;
    int m_nB;
    int m_nG;
    int m_nH;
    int m_nL;
    int m_nS;
    CXTColorDialog* m_pParentSheet;

    // TRUE while the page writes its own fields (their EN_CHANGE is ignored).
    BOOL IsWritingFields() const { return m_bWritingFields; }

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();

    // Reads the fields; FALSE (and nothing changes) when one is refused or
    // while the page writes them itself.
    BOOL ReadFields();
    // Writes the fields without their change notifications reacting.
    void WriteFields();
    void SetRGBFields(COLORREF clr);
    void SetHSLFields(COLORREF clr);
    // The dialog's new colour follows c when it differs.
    void TellDialog(COLORREF clr);
    // A hue, saturation or luminance field moved the changed picker: the
    // other picker, the dialog and the RGB fields follow its colour.
    void HSLFieldChanged(CXTColorBase& changed, CXTColorBase& other);
    // A colour from the pickers, the dialog or the RGB fields.
    void ColorChanged(COLORREF clr);

    afx_msg void OnChangeEditLum();
    afx_msg void OnChangeEditHue();
    afx_msg void OnChangeEditSat();
    afx_msg void OnChangeEditRGB();
    afx_msg LRESULT OnUpdateColor(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    BOOL m_bWritingFields;
};
