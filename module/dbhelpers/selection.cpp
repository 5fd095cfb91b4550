// Name-filtered selection sets and single picks through the host's command line.
#include "dbhelpers/selection.h"

#include "acedads.h"
#include "acutads.h"
#include "adscodes.h"

bool selectByNames(const std::vector<std::wstring>& names, int groupCode, ads_name selection, bool interactive)
{
    // The filter brackets the alternatives in "<OR" ... "OR>", even when there are none.
    const int code = groupCode == 0 ? RTDXF0 : groupCode;
    resbuf* filter = acutBuildList(-4, ACRX_T("<OR"), 0);
    resbuf* tail = filter;
    for (const std::wstring& name : names) {
        resbuf* item = acutBuildList(code, name.c_str(), 0);
        if (tail != nullptr)
            tail->rbnext = item;
        tail = item;
    }
    resbuf* closing = acutBuildList(-4, ACRX_T("OR>"), 0);
    if (tail != nullptr)
        tail->rbnext = closing;
    int result = RTERROR;
    if (interactive) {
        acutPrintf(ACRX_T("\nSelectionnez :"));
        result = acedSSGet(nullptr, nullptr, nullptr, filter, selection);
    } else {
        result = acedSSGet(ACRX_T("X"), nullptr, nullptr, filter, selection);
    }
    acutRelRb(filter);
    return result == RTNORM;
}

AcDbEntity* pickEntity(AcDbObjectId& id, const ACHAR* prompt, AcDb::OpenMode mode)
{
    ads_name entity;
    ads_point picked;
    const int result = acedEntSel(prompt, entity, picked);
    if (result != RTNORM) {
        acutPrintf(ACRX_T("***  Aucune sélection !"), result);
        return nullptr;
    }
    if (acdbGetObjectId(id, entity) != Acad::eOk)
        return nullptr;
    AcDbEntity* opened = nullptr;
    if (acdbOpenAcDbEntity(opened, id, mode) != Acad::eOk)
        return nullptr;
    return opened;
}
