// The host application services: the working database and the host's file look-up.
#pragma once

#include "acadstrc.h"
#include "adesk.h"

class AcDbDatabase;

// The services object the database layer asks for the working database (the drawing new objects take
// their defaults from). The program may install its own subclass with acdbSetHostApplicationServices.
class AcDbHostApplicationServices {
public:
    virtual ~AcDbHostApplicationServices() = default;

    AcDbDatabase* workingDatabase() const { return m_workingDatabase; }
    void setWorkingDatabase(AcDbDatabase* pDatabase) { m_workingDatabase = pDatabase; }

    // Finds a file: an existing path as given, or the name beside the drawing. eFileNotFound otherwise.
    // The answer is copied into pcFullPathOut (nBufferLength characters with the terminator).
    virtual Acad::ErrorStatus findFile(ACHAR* pcFullPathOut, int nBufferLength, const ACHAR* pcFilename,
                                       AcDbDatabase* pDb = nullptr);
    virtual const ACHAR* program() { return ACRX_T("kelvora"); }
    virtual const ACHAR* product() { return ACRX_T("Kelvora"); }
    virtual const ACHAR* companyName() { return ACRX_T("Kelvora"); }
    virtual const ACHAR* getRegistryProductRootKey() { return ACRX_T("Software\\Kelvora"); }

private:
    AcDbDatabase* m_workingDatabase = nullptr;
};

AcDbHostApplicationServices* acdbHostApplicationServices();
// Installs another services object (kept by the caller); the working database carries over.
Acad::ErrorStatus acdbSetHostApplicationServices(AcDbHostApplicationServices* pServices);
