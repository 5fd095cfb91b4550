// Default behaviour shared by every DWG and DXF filer: versions, error messages, binary groups.
#include <algorithm>
#include <cstdarg>

#include "dbfiler.h"
#include "kelvora/wide_text.h"
#include "kelvora/wide_format.h"

Acad::ErrorStatus AcDbDwgFiler::dwgVersion(AcDb::AcDbDwgVersion& ver, AcDb::MaintenanceReleaseVersion& maintVer) const
{
    ver = AcDb::kDHL_CURRENT;
    maintVer = AcDb::kMReleaseCurrent;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDxfFiler::setError(Acad::ErrorStatus status, const ACHAR* format, ...)
{
    va_list args;
    va_start(args, format);
    m_errorMessage = kelvora::formatPrintfV(format, args);
    va_end(args);
    return status;
}

Acad::ErrorStatus AcDbDxfFiler::setError(const ACHAR* format, ...)
{
    va_list args;
    va_start(args, format);
    m_errorMessage = kelvora::formatPrintfV(format, args);
    va_end(args);
    return Acad::eOk;
}

const ACHAR* AcDbDxfFiler::errorMessage() const
{
    return m_errorMessage.c_str();
}

Acad::ErrorStatus AcDbDxfFiler::dwgVersion(AcDb::AcDbDwgVersion& ver, AcDb::MaintenanceReleaseVersion& maintVer) const
{
    ver = AcDb::kDHL_CURRENT;
    maintVer = AcDb::kMReleaseCurrent;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDxfFiler::writeBytes(AcDb::DxfCode code, const void* pData, Adesk::UIntPtr nBytes)
{
    // Binary groups hold at most 127 bytes each (the size DXF writers use for one 310 line).
    constexpr Adesk::UIntPtr kChunk = 127;
    const auto* bytes = static_cast<const char*>(pData);
    Adesk::UIntPtr done = 0;
    do {
        Adesk::UIntPtr n = std::min(kChunk, nBytes - done);
        ads_binary chunk;
        chunk.clen = static_cast<short>(n);
        chunk.buf = const_cast<char*>(bytes + done);
        Acad::ErrorStatus es = writeBChunk(code, chunk);
        if (es != Acad::eOk)
            return es;
        done += n;
    } while (done < nBytes);
    return Acad::eOk;
}
