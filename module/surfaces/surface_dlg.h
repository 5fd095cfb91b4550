// SurfaceDlg: the dialog of DDSPOLY, editing a surface's label strings, show flags, style, height and area format.
#pragma once

#include "afxwin.h"

class SurfaceDlg : public CDialog {
public:
    explicit SurfaceDlg(CWnd* parent = NULL);

    CString m_lotText;
    CString m_perimeterPrefix;
    CString m_areaPrefix;
    CString m_perimeterUnit;
    CString m_areaUnit;
    CString m_textStyleName;
    double m_textHeight = 0.0;
    int m_showLot = 0;
    int m_showArea = 0;
    int m_showPerimeter = 0;
    int m_areaFormat = 0;  // 0 square metres, 1 hectares-ares-centiares, 2 hectares

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

    DECLARE_MESSAGE_MAP()
};
