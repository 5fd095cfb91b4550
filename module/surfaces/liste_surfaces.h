// ListeSurfaces: the dialog of LISTERSURFACES, listing every surface with its area and perimeter.
#pragma once

#include <string>

#include "adui.h"

class ListeSurfaces : public CAdUiDialog {
public:
    explicit ListeSurfaces(CWnd* parent = NULL);

    double m_zoomFactor = 2.0;
    CListCtrl m_list;

    // The list as tab-separated text: "Surfaces ", the column titles, then one line per row.
    std::wstring clipboardText() const;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

    void onLocate();
    void onZoomIn();
    void onZoomOut();
    void onCentre();
    void onToClipboard();
    void onColumnClick(NMHDR* header, LRESULT* result);

    DECLARE_MESSAGE_MAP()

private:
    void fillRows();
    double typedZoomFactor();
};
