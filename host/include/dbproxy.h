// AcDbProxyEntity and AcDbProxyObject: objects whose class is not loaded, kept exactly as read.
#pragma once

// dbmain.h uses these names before it defines them.
class AcDbObject;
class AcDbEntity;

#include <string>
#include <vector>

#include "dbmain.h"

namespace kelvora {
struct ProxyData;
}

// A proxy keeps what identifies its original class (C++ name, DXF name, application, proxy flags)
// and the original object's DXF groups that follow the common groups (from its first subclass marker
// to the end of the object), exactly as read; it writes them back unchanged under the original DXF
// name. When the class is registered later, createOriginal() builds the real object from them.
// A proxy entity also keeps the proxy graphics read with it and shows them when a drawer is
// installed (the drawing files layer decodes them).
class AcDbProxyEntity : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbProxyEntity);

    enum GraphicsMetafileType { kNoMetafile = 0, kBoundingBox = 1, kFullGraphics = 2 };
    // Proxy flags: what an application allows on its objects when it is absent.
    enum {
        kNoOperation = 0,
        kEraseAllowed = 0x1,
        kTransformAllowed = 0x2,
        kColorChangeAllowed = 0x4,
        kLayerChangeAllowed = 0x8,
        kLinetypeChangeAllowed = 0x10,
        kLinetypeScaleChangeAllowed = 0x20,
        kVisibilityChangeAllowed = 0x40,
        kCloningAllowed = 0x80,
        kLineWeightChangeAllowed = 0x100,
        kPlotStyleNameChangeAllowed = 0x200,
        kAllButCloningAllowed = 0x37F,
        kAllAllowedBits = 0x3FF,
        kDisableProxyWarning = 0x400,
        kMergeIgnore = 0,
        kMergeReplace = 0x1000,
        kMergeMangleName = 0x2000,
    };

    AcDbProxyEntity();
    ~AcDbProxyEntity() override;

    virtual int proxyFlags() const;
    virtual const ACHAR* originalClassName() const;
    virtual const ACHAR* originalDxfName() const;
    virtual const ACHAR* applicationDescription() const;
    // The ids met in the kept groups (330-369).
    virtual Acad::ErrorStatus getReferences(AcDbObjectIdArray& ids) const;
    virtual GraphicsMetafileType graphicsMetafileType() const;

    // Host-own: what the reader of a drawing knows of the class (from the CLASSES section).
    void setOriginalClass(const ACHAR* className, const ACHAR* dxfName, const ACHAR* appDescription, int proxyFlags);
    // Host-own: the kept groups (a copy; the caller keeps its list) and the proxy graphics bytes.
    const resbuf* originalData() const;
    void setOriginalData(const resbuf* groups);
    const std::vector<unsigned char>& graphicsData() const;
    void setGraphicsData(const std::vector<unsigned char>& data);
    // Host-own: a new entity of the original class holding the kept data and this entity's common
    // properties; null when the class is not registered, is not an entity class, or refuses the data.
    AcDbEntity* createOriginal() const;

    // Host-own: draws proxy graphics bytes (installed by the drawing files layer).
    using GraphicsDrawer = Adesk::Boolean (*)(const std::vector<unsigned char>& graphics, AcGiWorldDraw* mode);
    static void setGraphicsDrawer(GraphicsDrawer drawer);

    // Only what the proxy flags allow: eNotApplicable otherwise (and always for a transform, whose
    // result the kept data could not show).
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus explode(AcDbVoidPtrArray& entitySet) const override;
    Adesk::Boolean worldDraw(AcGiWorldDraw* mode) override;
    void list() const override;
    // DXF: the common groups, then the kept groups as read.
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

protected:
    Acad::ErrorStatus subErase(Adesk::Boolean erasing) override;

private:
    kelvora::ProxyData* m_data;
};

class AcDbProxyObject : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbProxyObject);

    enum {
        kNoOperation = 0,
        kEraseAllowed = 0x1,
        kCloningAllowed = 0x80,
        kAllButCloningAllowed = 0x1,
        kAllAllowedBits = 0x81,
        kDisableProxyWarning = 0x400,
        kMergeIgnore = 0,
        kMergeReplace = 0x1000,
        kMergeMangleName = 0x2000,
    };

    AcDbProxyObject();
    ~AcDbProxyObject() override;

    virtual int proxyFlags() const;
    virtual const ACHAR* originalClassName() const;
    virtual const ACHAR* originalDxfName() const;
    virtual const ACHAR* applicationDescription() const;
    virtual Acad::ErrorStatus getReferences(AcDbObjectIdArray& ids) const;

    void setOriginalClass(const ACHAR* className, const ACHAR* dxfName, const ACHAR* appDescription, int proxyFlags);
    const resbuf* originalData() const;
    void setOriginalData(const resbuf* groups);
    // A new object of the original class holding the kept data; null when the class is absent.
    AcDbObject* createOriginal() const;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

protected:
    Acad::ErrorStatus subErase(Adesk::Boolean erasing) override;

private:
    kelvora::ProxyData* m_data;
};
