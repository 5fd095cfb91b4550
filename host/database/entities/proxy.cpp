// AcDbProxyEntity and AcDbProxyObject: the DXF groups of objects whose class is absent, kept and written back as read.
#include "dbproxy.h"

#include <string>

#include "acutads.h"
#include "database/filing_util.h"
#include "entity_util.h"
#include "kelvora/host_class.h"
#include "kelvora/host_output.h"
#include "kelvora/item_dxf_filer.h"
#include "kelvora/resbuf_util.h"

KELVORA_HOST_DEFINE_MEMBERS(AcDbProxyEntity, AcDbEntity, L"ACAD_PROXY_ENTITY");
KELVORA_HOST_DEFINE_MEMBERS(AcDbProxyObject, AcDbObject, L"ACAD_PROXY_OBJECT");

namespace kelvora {

struct ProxyData {
    std::wstring className;
    std::wstring dxfName;
    std::wstring appDescription;
    int proxyFlags = 0;
    resbuf* groups = nullptr;  // the original object's groups after the common ones
    std::vector<unsigned char> graphics;

    ~ProxyData() { acutRelRb(groups); }
};

}  // namespace kelvora

namespace {

AcDbProxyEntity::GraphicsDrawer g_drawer = nullptr;

// Proxy graphics read from a filer are limited to this size (a drawing's own limit is far below).
constexpr Adesk::Int32 kMaxGraphicsBytes = 1 << 28;

bool isIdCode(int code)
{
    return code >= 320 && code <= 369;
}

// Reads every group up to the end of the object or its extended data (1001), which the object's own
// reading takes care of.
Acad::ErrorStatus readKeptGroups(AcDbDxfFiler* filer, resbuf*& list)
{
    resbuf* read = nullptr;
    Acad::ErrorStatus es = kelvora::readDxfGroups(filer, [&](kelvora::DxfGroup& g) {
        if (g.code() == AcDb::kDxfRegAppName)
            return kelvora::GroupUse::kNotMine;
        kelvora::appendToList(read, g.value());
        return kelvora::GroupUse::kTaken;
    });
    if (es != Acad::eOk) {
        acutRelRb(read);
        return es;
    }
    acutRelRb(list);
    list = read;
    return Acad::eOk;
}

Acad::ErrorStatus writeProxyHeader(AcDbDwgFiler* filer, const kelvora::ProxyData& data)
{
    filer->writeString(data.className.c_str());
    filer->writeString(data.dxfName.c_str());
    filer->writeString(data.appDescription.c_str());
    filer->writeInt32(data.proxyFlags);
    kelvora::writeResbufList(filer, data.groups);
    return filer->filerStatus();
}

Acad::ErrorStatus readProxyHeader(AcDbDwgFiler* filer, kelvora::ProxyData& data)
{
    std::wstring className;
    std::wstring dxfName;
    std::wstring app;
    Adesk::Int32 flags = 0;
    resbuf* groups = nullptr;
    Acad::ErrorStatus es = Acad::eOk;
    if ((es = kelvora::readWString(filer, className)) != Acad::eOk || (es = kelvora::readWString(filer, dxfName)) != Acad::eOk ||
        (es = kelvora::readWString(filer, app)) != Acad::eOk || (es = filer->readInt32(&flags)) != Acad::eOk ||
        (es = kelvora::readResbufList(filer, groups)) != Acad::eOk)
        return es;
    data.className = className;
    data.dxfName = dxfName;
    data.appDescription = app;
    data.proxyFlags = flags;
    acutRelRb(data.groups);
    data.groups = groups;
    return Acad::eOk;
}

void getReferencesOf(const resbuf* groups, AcDbObjectIdArray& ids)
{
    for (const resbuf* rb = groups; rb != nullptr; rb = rb->rbnext) {
        if (!isIdCode(rb->restype))
            continue;
        AcDbObjectId id = kelvora::idFromResbuf(*rb);
        if (!id.isNull())
            ids.append(id);
    }
}

// A new object of the original class, read back from the groups the proxy writes.
template <class Proxy>
AcDbObject* buildOriginal(const Proxy* proxy, const kelvora::ProxyData& data)
{
    AcRxClass* cls = acrxFindAcRxClass(data.className.c_str());
    if (cls == nullptr || !cls->isRegistered())
        return nullptr;
    AcRxObject* made = cls->create();
    AcDbObject* object = AcDbObject::cast(made);
    if (object == nullptr) {
        delete made;
        return nullptr;
    }
    kelvora::ItemListDxfFiler filer(proxy->database(), AcDb::kFileFiler);
    if (proxy->dxfOutFields(&filer) != Acad::eOk) {
        delete object;
        return nullptr;
    }
    filer.rewindFiler();
    if (object->dxfInFields(&filer) != Acad::eOk) {
        delete object;
        return nullptr;
    }
    return object;
}

}  // namespace

// ----- AcDbProxyEntity -------------------------------------------------------------------------------

AcDbProxyEntity::AcDbProxyEntity() : m_data(new kelvora::ProxyData()) {}

AcDbProxyEntity::~AcDbProxyEntity()
{
    delete m_data;
}

int AcDbProxyEntity::proxyFlags() const
{
    assertReadEnabled();
    return m_data->proxyFlags;
}

const ACHAR* AcDbProxyEntity::originalClassName() const
{
    assertReadEnabled();
    return m_data->className.c_str();
}

const ACHAR* AcDbProxyEntity::originalDxfName() const
{
    assertReadEnabled();
    return m_data->dxfName.c_str();
}

const ACHAR* AcDbProxyEntity::applicationDescription() const
{
    assertReadEnabled();
    return m_data->appDescription.c_str();
}

Acad::ErrorStatus AcDbProxyEntity::getReferences(AcDbObjectIdArray& ids) const
{
    assertReadEnabled();
    getReferencesOf(m_data->groups, ids);
    return Acad::eOk;
}

AcDbProxyEntity::GraphicsMetafileType AcDbProxyEntity::graphicsMetafileType() const
{
    assertReadEnabled();
    return m_data->graphics.empty() ? kNoMetafile : kFullGraphics;
}

void AcDbProxyEntity::setOriginalClass(const ACHAR* className, const ACHAR* dxfName, const ACHAR* appDescription,
                                       int proxyFlags)
{
    if (!kelvora::beginWrite(this))
        return;
    m_data->className = className != nullptr ? className : L"";
    m_data->dxfName = dxfName != nullptr ? dxfName : L"";
    m_data->appDescription = appDescription != nullptr ? appDescription : L"";
    m_data->proxyFlags = proxyFlags;
}

const resbuf* AcDbProxyEntity::originalData() const
{
    assertReadEnabled();
    return m_data->groups;
}

void AcDbProxyEntity::setOriginalData(const resbuf* groups)
{
    if (!kelvora::beginWrite(this))
        return;
    acutRelRb(m_data->groups);
    m_data->groups = kelvora::copyResbufList(groups);
}

const std::vector<unsigned char>& AcDbProxyEntity::graphicsData() const
{
    assertReadEnabled();
    return m_data->graphics;
}

void AcDbProxyEntity::setGraphicsData(const std::vector<unsigned char>& data)
{
    if (!kelvora::beginWrite(this))
        return;
    m_data->graphics = data;
}

AcDbEntity* AcDbProxyEntity::createOriginal() const
{
    assertReadEnabled();
    AcDbObject* object = buildOriginal(this, *m_data);
    AcDbEntity* entity = AcDbEntity::cast(object);
    if (entity == nullptr)
        delete object;
    return entity;
}

void AcDbProxyEntity::setGraphicsDrawer(GraphicsDrawer drawer)
{
    g_drawer = drawer;
}

Acad::ErrorStatus AcDbProxyEntity::transformBy(const AcGeMatrix3d&)
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbProxyEntity::explode(AcDbVoidPtrArray&) const
{
    return Acad::eNotApplicable;
}

Adesk::Boolean AcDbProxyEntity::worldDraw(AcGiWorldDraw* mode)
{
    assertReadEnabled();
    if (mode == nullptr || g_drawer == nullptr || m_data->graphics.empty())
        return Adesk::kTrue;
    g_drawer(m_data->graphics, mode);
    return Adesk::kTrue;
}

void AcDbProxyEntity::list() const
{
    assertReadEnabled();
    AcDbEntity::list();
    kelvora::listText(L"Proxy of", m_data->className.c_str());
    kelvora::listText(L"Application", m_data->appDescription.c_str());
}

Acad::ErrorStatus AcDbProxyEntity::subErase(Adesk::Boolean erasing)
{
    if (erasing && (m_data->proxyFlags & kEraseAllowed) == 0)
        return Acad::eNotApplicable;
    return AcDbEntity::subErase(erasing);
}

Acad::ErrorStatus AcDbProxyEntity::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    if ((es = writeProxyHeader(pFiler, *m_data)) != Acad::eOk)
        return es;
    pFiler->writeInt32(static_cast<Adesk::Int32>(m_data->graphics.size()));
    if (!m_data->graphics.empty())
        pFiler->writeBytes(m_data->graphics.data(), m_data->graphics.size());
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbProxyEntity::dwgInFields(AcDbDwgFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    if ((es = readProxyHeader(pFiler, *m_data)) != Acad::eOk)
        return es;
    Adesk::Int32 size = 0;
    if ((es = pFiler->readInt32(&size)) != Acad::eOk)
        return es;
    if (size < 0 || size > kMaxGraphicsBytes)
        return Acad::eFilerError;
    std::vector<unsigned char> graphics(static_cast<size_t>(size));
    if (size > 0 && (es = pFiler->readBytes(graphics.data(), graphics.size())) != Acad::eOk)
        return es;
    m_data->graphics.swap(graphics);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbProxyEntity::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    return kelvora::writeResbufsToDxf(pFiler, m_data->groups);
}

Acad::ErrorStatus AcDbProxyEntity::dxfInFields(AcDbDxfFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    return readKeptGroups(pFiler, m_data->groups);
}

// ----- AcDbProxyObject -------------------------------------------------------------------------------

AcDbProxyObject::AcDbProxyObject() : m_data(new kelvora::ProxyData()) {}

AcDbProxyObject::~AcDbProxyObject()
{
    delete m_data;
}

int AcDbProxyObject::proxyFlags() const
{
    assertReadEnabled();
    return m_data->proxyFlags;
}

const ACHAR* AcDbProxyObject::originalClassName() const
{
    assertReadEnabled();
    return m_data->className.c_str();
}

const ACHAR* AcDbProxyObject::originalDxfName() const
{
    assertReadEnabled();
    return m_data->dxfName.c_str();
}

const ACHAR* AcDbProxyObject::applicationDescription() const
{
    assertReadEnabled();
    return m_data->appDescription.c_str();
}

Acad::ErrorStatus AcDbProxyObject::getReferences(AcDbObjectIdArray& ids) const
{
    assertReadEnabled();
    getReferencesOf(m_data->groups, ids);
    return Acad::eOk;
}

void AcDbProxyObject::setOriginalClass(const ACHAR* className, const ACHAR* dxfName, const ACHAR* appDescription,
                                       int proxyFlags)
{
    if (!kelvora::beginWrite(this))
        return;
    m_data->className = className != nullptr ? className : L"";
    m_data->dxfName = dxfName != nullptr ? dxfName : L"";
    m_data->appDescription = appDescription != nullptr ? appDescription : L"";
    m_data->proxyFlags = proxyFlags;
}

const resbuf* AcDbProxyObject::originalData() const
{
    assertReadEnabled();
    return m_data->groups;
}

void AcDbProxyObject::setOriginalData(const resbuf* groups)
{
    if (!kelvora::beginWrite(this))
        return;
    acutRelRb(m_data->groups);
    m_data->groups = kelvora::copyResbufList(groups);
}

AcDbObject* AcDbProxyObject::createOriginal() const
{
    assertReadEnabled();
    return buildOriginal(this, *m_data);
}

Acad::ErrorStatus AcDbProxyObject::subErase(Adesk::Boolean erasing)
{
    if (erasing && (m_data->proxyFlags & kEraseAllowed) == 0)
        return Acad::eNotApplicable;
    return AcDbObject::subErase(erasing);
}

Acad::ErrorStatus AcDbProxyObject::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    return writeProxyHeader(pFiler, *m_data);
}

Acad::ErrorStatus AcDbProxyObject::dwgInFields(AcDbDwgFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbObject::dwgInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    return readProxyHeader(pFiler, *m_data);
}

Acad::ErrorStatus AcDbProxyObject::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    return kelvora::writeResbufsToDxf(pFiler, m_data->groups);
}

Acad::ErrorStatus AcDbProxyObject::dxfInFields(AcDbDxfFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbObject::dxfInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    return readKeptGroups(pFiler, m_data->groups);
}
