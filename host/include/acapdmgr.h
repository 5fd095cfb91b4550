// The document manager: the one open drawing as a document, and the stack of resource handles that dialogs load from.
#pragma once

#include <vector>

#include "AdAChar.h"
#include "acadstrc.h"
#include "kelvora/win32.h"

class AcDbDatabase;

// A drawing open in the host. The host has one document at a time: the working database.
class AcApDocument {
public:
    AcDbDatabase* database() const { return m_database; }
    // The drawing's file as named on the command line, or "Drawing1.dxf" for a new drawing.
    const ACHAR* fileName() const;
    const ACHAR* docTitle() const;
    bool isReadOnly() const { return false; }

    // Host-own: made by the document manager.
    explicit AcApDocument(AcDbDatabase* database) : m_database(database) {}

private:
    AcDbDatabase* m_database;
};

class AcApDocManager {
public:
    // The document of the working database; null when there is none.
    AcApDocument* curDocument() const;
    AcApDocument* mdiActiveDocument() const { return curDocument(); }
    // The document of a database: only the working database has one.
    AcApDocument* document(const AcDbDatabase* pDb) const;
    int documentCount() const { return curDocument() != nullptr ? 1 : 0; }

    // Documents are locked for commands by the host itself; these always succeed.
    Acad::ErrorStatus lockDocument(AcApDocument* pDoc, int lockMode = 0x8, const ACHAR* pGlobalCmdName = nullptr,
                                   const ACHAR* pLocalCmdName = nullptr, bool prompt = true);
    Acad::ErrorStatus unlockDocument(AcApDocument* pDoc);

    // Makes `module` the resource handle dialogs and strings load from (AfxSetResourceHandle),
    // remembering the previous one; popResourceHandle puts the previous one back. eNotApplicable
    // (and nothing changes) when nothing was pushed.
    void pushResourceHandle(HINSTANCE module);
    Acad::ErrorStatus popResourceHandle();

private:
    std::vector<HINSTANCE> m_resourceStack;
};

AcApDocManager* acDocManagerPtr();
#define acDocManager acDocManagerPtr()

// Sets the document's database's file name shown by AcApDocument::fileName (host-own: the program).
namespace kelvora {
void setDocumentFileName(const ACHAR* fileName);
}
