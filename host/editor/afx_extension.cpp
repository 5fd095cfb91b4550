// MFC extension-library records: AfxInitExtensionModule, AfxTermExtensionModule and CDynLinkLibrary.
#include "afxdllx.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<CDynLinkLibrary*>& libraries()
{
    static std::vector<CDynLinkLibrary*> all;
    return all;
}

void forget(CDynLinkLibrary* library)
{
    auto& all = libraries();
    all.erase(std::remove(all.begin(), all.end(), library), all.end());
}

}  // namespace

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule)
{
    if (hModule == nullptr)
        return FALSE;
    state.hModule = hModule;
    state.hResource = hModule;
    state.bInitialized = TRUE;
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL)
{
    if (state.hModule != nullptr)
        kelvora::releaseDynLinkLibraries(state.hModule);
    state.bInitialized = FALSE;
    state.hModule = nullptr;
    state.hResource = nullptr;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_bSystem(bSystem)
{
    libraries().push_back(this);
}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource)
    : m_hModule(hModule), m_hResource(hResource), m_bSystem(FALSE)
{
    libraries().push_back(this);
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    forget(this);
}

namespace kelvora {

int dynLinkLibraryCount(HMODULE module)
{
    const auto& all = libraries();
    return static_cast<int>(std::count_if(all.begin(), all.end(),
                                          [&](const CDynLinkLibrary* library) { return library->m_hModule == module; }));
}

void releaseDynLinkLibraries(HMODULE module)
{
    std::vector<CDynLinkLibrary*> doomed;
    for (CDynLinkLibrary* library : libraries()) {
        if (library->m_hModule == module)
            doomed.push_back(library);
    }
    for (CDynLinkLibrary* library : doomed)
        delete library;  // the destructor takes it off the list
}

}  // namespace kelvora
