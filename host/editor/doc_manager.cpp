// The document manager: the working database as the one document, and the resource handle stack.
#include "acapdmgr.h"

#include <memory>
#include <string>

#include "afxwin.h"
#include "dbapserv.h"

namespace {

std::wstring& documentFileName()
{
    static std::wstring name;
    return name;
}

constexpr const ACHAR* kNewDrawingName = L"Drawing1.dxf";

}  // namespace

const ACHAR* AcApDocument::fileName() const
{
    return documentFileName().empty() ? kNewDrawingName : documentFileName().c_str();
}

const ACHAR* AcApDocument::docTitle() const
{
    const std::wstring& name = documentFileName();
    if (name.empty())
        return kNewDrawingName;
    std::size_t slash = name.find_last_of(L"/\\");
    return slash == std::wstring::npos ? name.c_str() : name.c_str() + slash + 1;
}

AcApDocument* AcApDocManager::curDocument() const
{
    return document(acdbHostApplicationServices()->workingDatabase());
}

AcApDocument* AcApDocManager::document(const AcDbDatabase* pDb) const
{
    // One document object per working database, made again when the working database changes.
    static std::unique_ptr<AcApDocument> current;
    AcDbDatabase* working = acdbHostApplicationServices()->workingDatabase();
    if (pDb == nullptr || pDb != working)
        return nullptr;
    if (current == nullptr || current->database() != working)
        current = std::make_unique<AcApDocument>(working);
    return current.get();
}

Acad::ErrorStatus AcApDocManager::lockDocument(AcApDocument*, int, const ACHAR*, const ACHAR*, bool)
{
    return Acad::eOk;
}

Acad::ErrorStatus AcApDocManager::unlockDocument(AcApDocument*)
{
    return Acad::eOk;
}

void AcApDocManager::pushResourceHandle(HINSTANCE module)
{
    m_resourceStack.push_back(AfxGetResourceHandle());
    AfxSetResourceHandle(module);
}

Acad::ErrorStatus AcApDocManager::popResourceHandle()
{
    if (m_resourceStack.empty())
        return Acad::eNotApplicable;
    AfxSetResourceHandle(m_resourceStack.back());
    m_resourceStack.pop_back();
    return Acad::eOk;
}

AcApDocManager* acDocManagerPtr()
{
    static AcApDocManager manager;
    return &manager;
}

namespace kelvora {

void setDocumentFileName(const ACHAR* fileName)
{
    documentFileName() = fileName != nullptr ? fileName : L"";
}

}  // namespace kelvora
