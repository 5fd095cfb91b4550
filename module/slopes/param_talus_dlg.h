// CParamTalus: the dialog of PARAMSTALUS, editing the slope defaults and asking whether existing slopes follow.
#pragma once

#include "afxwin.h"

class CParamTalus : public CDialog {
public:
    explicit CParamTalus(CWnd* parent = NULL);

    double m_longStrokeLength = 0.0;
    double m_strokeRatio = 0.0;
    int m_intervalCount = 0;
    double m_strokeSpacing = 0.0;
    int m_longColorIndex = -1;   // colour code + 2
    int m_shortColorIndex = -1;  // colour code + 2
    int m_updateExisting = 0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

    DECLARE_MESSAGE_MAP()
};
