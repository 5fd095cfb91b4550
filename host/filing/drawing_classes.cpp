// Classes of drawing files: CLASS records read and written, and the class chosen to build each record.
#include "drawing_classes.h"

#include <algorithm>
#include <memory>
#include <set>

#include "dbmain.h"
#include "dbproxy.h"
#include "dbsymtb.h"
#include "drawing_names.h"
#include "kelvora/host_class.h"
#include "kelvora/wide_text.h"
#include "rxclass.h"
#include "rxdict.h"

namespace kelvora {

namespace {

// The application name the host registers its own classes under.
constexpr std::wstring_view kHostApplication = L"ObjectDBX Classes";

// Objects the host writes without a class of its own whose records readers expect a CLASS for.
struct HostClassRecord {
    const char* dxfName;
    const char* cppName;
    int proxyFlags;
};
constexpr HostClassRecord kHostClassRecords[] = {
    {"ACDBDICTIONARYWDFLT", "AcDbDictionaryWithDefault", 0},
    {"ACDBPLACEHOLDER", "AcDbPlaceHolder", 0},
    {"LAYOUT", "AcDbLayout", 0},
    {"DICTIONARYVAR", "AcDbDictionaryVar", 0},
};

int flagOf(const DxfRecord& r, int code)
{
    const DxfTag* t = r.find(code);
    return t != nullptr ? static_cast<int>(t->toInteger().value_or(0)) : 0;
}

std::string textOf(const DxfRecord& r, int code)
{
    const DxfTag* t = r.find(code);
    return t != nullptr ? t->value : std::string();
}

DxfRecord classRecord(const ClassRecordInfo& info, int count, std::string_view acadVer)
{
    DxfRecord r;
    r.tags.emplace_back(0, "CLASS");
    r.tags.emplace_back(1, info.dxfName);
    r.tags.emplace_back(2, info.cppName);
    r.tags.emplace_back(3, info.appName);
    r.tags.push_back(makeDxfIntegerTag(90, info.proxyFlags));
    if (acadVer >= "AC1018")
        r.tags.push_back(makeDxfIntegerTag(91, count));
    r.tags.push_back(makeDxfIntegerTag(280, info.wasProxy ? 1 : 0));
    r.tags.push_back(makeDxfIntegerTag(281, info.isEntity ? 1 : 0));
    return r;
}

ClassRecordInfo infoOfRegistered(const AcRxClass* cls)
{
    ClassRecordInfo info;
    info.dxfName = toUtf8(cls->dxfName());
    info.cppName = toUtf8(cls->name());
    info.appName = toUtf8(cls->appName());
    info.proxyFlags = cls->proxyFlags();
    info.isEntity = cls->isDerivedFrom(AcDbEntity::desc());
    return info;
}

// Every registered application class with a DXF name, ordered by DXF name so that the output does
// not depend on the registry's order.
std::vector<const AcRxClass*> registeredCustomClasses()
{
    std::vector<const AcRxClass*> out;
    AcRxDictionary* dict = acrxClassDictionary;
    if (dict == nullptr)
        return out;
    std::unique_ptr<AcRxDictionaryIterator> it(dict->newIterator());
    for (; it != nullptr && !it->done(); it->next()) {
        const AcRxClass* cls = AcRxClass::cast(it->object());
        if (cls != nullptr && isCustomClass(cls))
            out.push_back(cls);
    }
    std::sort(out.begin(), out.end(), [](const AcRxClass* a, const AcRxClass* b) {
        return std::wstring_view(a->dxfName()) < std::wstring_view(b->dxfName());
    });
    return out;
}

}  // namespace

bool isCustomClass(const AcRxClass* cls)
{
    return cls != nullptr && cls->isRegistered() && cls->dxfName() != nullptr && *cls->dxfName() != L'\0' &&
           std::wstring_view(cls->appName()) != kHostApplication;
}

std::map<std::string, ClassRecordInfo> readClassRecords(const std::vector<DxfRecord>& classes,
                                                        DxfDiagnostics& diagnostics)
{
    std::map<std::string, ClassRecordInfo> out;
    for (const DxfRecord& r : classes) {
        if (r.type() != "CLASS")
            continue;
        ClassRecordInfo info;
        info.dxfName = textOf(r, 1);
        if (info.dxfName.empty()) {
            diagnostics.warning(r.line(), "a CLASS without a DXF name (group 1) is dropped");
            continue;
        }
        info.cppName = textOf(r, 2);
        info.appName = textOf(r, 3);
        info.proxyFlags = flagOf(r, 90);
        if (r.find(280) == nullptr || r.find(281) == nullptr)
            diagnostics.warning(r.line(), "CLASS " + info.dxfName + " lacks group " +
                                              (r.find(280) == nullptr ? "280" : "281") + "; it is taken as 0");
        info.wasProxy = flagOf(r, 280) != 0;
        info.isEntity = flagOf(r, 281) != 0;
        out.emplace(upperAscii(info.dxfName), std::move(info));
    }
    return out;
}

AcRxClass* classForRecord(std::string_view dxfName, const ClassRecordInfo* info, bool entity)
{
    if (dxfName == "ACAD_PROXY_ENTITY" || dxfName == "ACAD_PROXY_OBJECT")
        return nullptr;  // a foreign proxy is kept as it is: its class is not ours to rebuild
    AcRxClass* cls = nullptr;
    if (info != nullptr && !info->cppName.empty())
        cls = acrxFindAcRxClass(fromUtf8(info->cppName).c_str());
    if (cls == nullptr || !cls->isRegistered())
        cls = findClassByDxfName(fromUtf8(dxfName).c_str());
    if (cls == nullptr || !cls->isRegistered())
        return nullptr;
    if (cls->isDerivedFrom(AcDbProxyEntity::desc()) || cls->isDerivedFrom(AcDbProxyObject::desc()))
        return nullptr;
    const bool isEntity = cls->isDerivedFrom(AcDbEntity::desc());
    if (entity)
        return isEntity ? cls : nullptr;
    if (isEntity || !cls->isDerivedFrom(AcDbObject::desc()) || cls->isDerivedFrom(AcDbSymbolTable::desc()) ||
        cls->isDerivedFrom(AcDbSymbolTableRecord::desc()))
        return nullptr;
    return cls;
}

std::vector<DxfRecord> buildClassRecords(const std::vector<DxfRecord>& read, const std::map<std::string, int>& counts,
                                         std::string_view acadVer)
{
    auto countOf = [&](const std::string& name) {
        auto it = counts.find(upperAscii(name));
        return it != counts.end() ? it->second : 0;
    };
    std::vector<DxfRecord> out;
    std::set<std::string> written;
    std::map<std::string, const AcRxClass*> registered;
    for (const AcRxClass* cls : registeredCustomClasses())
        registered.emplace(upperAscii(toUtf8(cls->dxfName())), cls);

    for (const DxfRecord& r : read) {
        std::string name = textOf(r, 1);
        std::string key = upperAscii(name);
        if (r.type() != "CLASS" || name.empty() || written.count(key) != 0)
            continue;
        auto reg = registered.find(key);
        ClassRecordInfo info;
        if (reg != registered.end()) {
            info = infoOfRegistered(reg->second);
        } else {
            info.dxfName = name;
            info.cppName = textOf(r, 2);
            info.appName = textOf(r, 3);
            info.proxyFlags = flagOf(r, 90);
            info.wasProxy = flagOf(r, 280) != 0;
            info.isEntity = flagOf(r, 281) != 0;
        }
        out.push_back(classRecord(info, countOf(name), acadVer));
        written.insert(key);
    }
    for (const auto& [key, cls] : registered) {
        if (written.count(key) != 0)
            continue;
        ClassRecordInfo info = infoOfRegistered(cls);
        out.push_back(classRecord(info, countOf(info.dxfName), acadVer));
        written.insert(key);
    }
    for (const HostClassRecord& h : kHostClassRecords) {
        if (written.count(h.dxfName) != 0 || countOf(h.dxfName) == 0)
            continue;
        ClassRecordInfo info;
        info.dxfName = h.dxfName;
        info.cppName = h.cppName;
        info.appName = toUtf8(kHostApplication);
        info.proxyFlags = h.proxyFlags;
        out.push_back(classRecord(info, countOf(h.dxfName), acadVer));
        written.insert(h.dxfName);
    }
    return out;
}

}  // namespace kelvora
