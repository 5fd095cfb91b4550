// XPOLYDIAL: the dialog of DDXPOLY, choosing a special line's decoration, its dimensions and line mode.
#pragma once

#include "afxwin.h"

class XPOLYDIAL : public CDialog {
public:
    explicit XPOLYDIAL(CWnd* parent = NULL);

    // Kinds of decoration, as the "Motif" radios order them.
    static constexpr int kKindBlock = 0;
    static constexpr int kKindText = 1;
    static constexpr int kKindStandard = 2;

    CString m_blockName;
    CString m_textStyleName;
    int m_styleIndex = -1;
    double m_spacing = 1.0;
    double m_gap = 0.0;
    int m_lineMode = -1;
    CString m_dimensions;
    double m_size = 0.0;
    CString m_text;
    int m_kind = -1;
    int m_placement = 0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;

    afx_msg void OnBlockRadio();
    afx_msg void OnTextRadio();
    afx_msg void OnStandardRadio();
    afx_msg void OnBlockChanged();
    afx_msg void OnTextStyleChanged();
    afx_msg void OnBuiltinStyleChanged();
    afx_msg void OnPickBlock();

    DECLARE_MESSAGE_MAP()

private:
    // Enables the controls of one kind and disables the other two kinds'.
    void enableKind(int kind);
    void enableControl(int id, bool enable);
    CComboBox* comboBox(int id) const;
    // Shows the alert and drops the list down for the missing choice.
    void refuse(LPCTSTR message, int listId);
};
