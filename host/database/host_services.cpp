// The host application services object and the working database.
#include <cwchar>
#include <filesystem>
#include <string>

#include "dbapserv.h"

namespace {

AcDbHostApplicationServices& defaultServices()
{
    static AcDbHostApplicationServices services;
    return services;
}

AcDbHostApplicationServices* g_services = nullptr;

}  // namespace

Acad::ErrorStatus AcDbHostApplicationServices::findFile(ACHAR* pcFullPathOut, int nBufferLength,
                                                        const ACHAR* pcFilename, AcDbDatabase*)
{
    if (pcFullPathOut == nullptr || nBufferLength <= 0 || pcFilename == nullptr || *pcFilename == L'\0')
        return Acad::eInvalidInput;
    std::error_code ec;
    std::filesystem::path path(pcFilename);
    if (!std::filesystem::exists(path, ec))
        return Acad::eFileNotFound;
    std::wstring full = std::filesystem::absolute(path, ec).wstring();
    if (ec)
        full = pcFilename;
    if (full.size() + 1 > static_cast<size_t>(nBufferLength))
        return Acad::eBufferTooSmall;
    std::wcscpy(pcFullPathOut, full.c_str());
    return Acad::eOk;
}

AcDbHostApplicationServices* acdbHostApplicationServices()
{
    return g_services != nullptr ? g_services : &defaultServices();
}

Acad::ErrorStatus acdbSetHostApplicationServices(AcDbHostApplicationServices* pServices)
{
    AcDbDatabase* working = acdbHostApplicationServices()->workingDatabase();
    g_services = pServices;
    if (pServices != nullptr && pServices->workingDatabase() == nullptr)
        pServices->setWorkingDatabase(working);
    return Acad::eOk;
}
