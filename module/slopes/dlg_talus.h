// DlgTalus: the dialog of DDTALUT, editing one slope's stroke parameters, colours, side and limits.
#pragma once

#include "adui.h"

class nPolyLineTalutee;

class DlgTalus : public CAdUiDialog {
public:
    explicit DlgTalus(CWnd* parent = NULL);

    int m_bothSides = 0;
    double m_longStrokeLength = 6.0;
    double m_strokeRatio = 3.0;
    int m_intervalCount = 3;
    double m_strokeSpacing = 0.0;
    int m_longColorIndex = -1;   // colour code + 2
    int m_shortColorIndex = -1;  // colour code + 2
    // The slope being edited, open for write by the caller; "Limites des talus" changes its limits.
    nPolyLineTalutee* m_slope = nullptr;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

    afx_msg void OnSelectLimits();

    DECLARE_MESSAGE_MAP()
};
