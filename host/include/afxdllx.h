// MFC extension libraries: the record an application library keeps of its resource module while it is loaded.
#pragma once

#include "afxwin.h"

// An extension library's state: its resource module once AfxInitExtensionModule has run.
struct AFX_EXTENSION_MODULE {
    BOOL bInitialized = FALSE;
    HMODULE hModule = nullptr;
    HMODULE hResource = nullptr;
};

// Records the library's module handle (the HINSTANCE its DllMain received from the host). FALSE for
// a null handle.
BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
// Forgets the module and deletes the CDynLinkLibrary records made for it.
void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

// Puts a library's resources on the host's list of extension libraries, as MFC's chain of
// CDynLinkLibrary objects. The host deletes what is left of a library's records when it unloads
// the library. The dialogs of an application load from the resource handle current when they run
// (see acapdmgr.h: pushResourceHandle), so the list only records which libraries are attached.
class CDynLinkLibrary : public CObject {
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
    CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource);
    ~CDynLinkLibrary() override;
    CDynLinkLibrary(const CDynLinkLibrary&) = delete;
    CDynLinkLibrary& operator=(const CDynLinkLibrary&) = delete;

    HMODULE m_hModule;
    HMODULE m_hResource;
    BOOL m_bSystem;
};

namespace kelvora {
// The extension libraries recorded for a module (host-own: the application loader).
int dynLinkLibraryCount(HMODULE module);
// Deletes the records of a module that its library left behind.
void releaseDynLinkLibraries(HMODULE module);
}  // namespace kelvora
