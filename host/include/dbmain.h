// The drawing database: AcDbObject, AcDbEntity, AcDbDatabase, AcDbExtents and the open/close functions.
#pragma once

#include <vector>

#include "acadstrc.h"
#include "acdb.h"
#include "adsdef.h"
#include "dbcolor.h"
#include "dbfiler.h"
#include "dbhandle.h"
#include "dbid.h"
#include "dbintar.h"
#include "dbptrar.h"
#include "drawable.h"
#include "gemat3d.h"
#include "gepnt2d.h"
#include "gepnt3d.h"
#include "gept3dar.h"
#include "gevec3d.h"
#include "rxboiler.h"

class AcDbBlockTable;
class AcDbBlockTableRecord;
class AcDbDictionary;
class AcDbDimStyleTable;
class AcDbDwgFiler;
class AcDbDxfFiler;
class AcDbGripData;
class AcDbLayerTable;
class AcDbLinetypeTable;
class AcDbRegAppTable;
class AcDbTextStyleTable;
class AcDbUCSTable;
class AcDbViewTable;
class AcDbViewportTable;
class AcDbDatabase;
class AcDbEntity;
class AcDbIdMapping;
class AcDbObject;
class AcDbObjectReactor;
class AcGePlane;
class AcGiDrawableTraits;
class AcGiViewportDraw;
class AcGiWorldDraw;

namespace kelvora {
class ObjectAccess;
struct DatabaseImpl;
struct OpenSnapshot;
}  // namespace kelvora

typedef AcArray<AcDbGripData*> AcDbGripDataPtrArray;

// ---------------------------------------------------------------------------------------------------
// Open and close
//
// An object of a database is opened with acdbOpenAcDbObject (or acdbOpenAcDbEntity, acdbOpenObject)
// and closed with close(). Every open gives the same object pointer back.
//   kForRead   several readers at a time; refused while a writer holds the object (eWasOpenForWrite).
//   kForWrite  one writer and no reader: eWasOpenForWrite when a writer holds it, eWasOpenForRead when
//              readers hold it; an entity on a locked layer answers eOnLockedLayer.
//   kForNotify always allowed except while already open for notify (eWasOpenForNotify).
// A null id answers eNullObjectId; an id without an object eUnknownHandle; an erased object
// eWasErased unless openErased is true; an object that is not an entity opened as one eNotAnEntity;
// acdbOpenObject of another class eNotThatKindOfClass (the object is then left closed).
// On any failure the out pointer is null.
//
// A new object (made with new, not yet in a database) is write-enabled until it is added: adding it
// leaves it open for write, and the caller closes it. Misuse (closing an object that is not open,
// changing an object not open for write) is reported on standard error as
// "kelvora: internal misuse: ..." and answered with an error status; it never corrupts the database.
// ---------------------------------------------------------------------------------------------------

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& pObj, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErasedObject = false);
Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& pEnt, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErasedEntity = false);

template <class T_OBJECT>
inline Acad::ErrorStatus acdbOpenObject(T_OBJECT*& pObj, AcDbObjectId id, AcDb::OpenMode mode = AcDb::kForRead,
                                        bool openErased = false);

// Entity names of the command line: the ads name of an id and back. An ads name is
// { handle, database serial number }, so a stale or forged name is refused (eInvalidAdsName), never
// dereferenced.
Acad::ErrorStatus acdbGetAdsName(ads_name& objName, AcDbObjectId objId);
Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& objId, const ads_name objName);

// ---------------------------------------------------------------------------------------------------

// An axis-aligned box. A new box is empty (minimum above maximum) until a point is added.
class AcDbExtents {
public:
    AcDbExtents();
    AcDbExtents(const AcGePoint3d& min, const AcGePoint3d& max);

    AcGePoint3d minPoint() const { return m_min; }
    AcGePoint3d maxPoint() const { return m_max; }
    // eInvalidExtents when min is above max on an axis.
    Acad::ErrorStatus set(const AcGePoint3d& min, const AcGePoint3d& max);
    void addPoint(const AcGePoint3d& pt);
    void addExt(const AcDbExtents& src);
    // The extents of every entity of the block (transformed by nothing).
    Acad::ErrorStatus addBlockExt(AcDbBlockTableRecord* pBTR);
    void expandBy(const AcGeVector3d& vec);
    void transformBy(const AcGeMatrix3d& mat);
    // Host-own: false while nothing has been added.
    bool isValid() const;

private:
    AcGePoint3d m_min;
    AcGePoint3d m_max;
};

// ---------------------------------------------------------------------------------------------------

class AcDbObject : public AcGiDrawable {
public:
    ACRX_DECLARE_MEMBERS(AcDbObject);
    ~AcDbObject() override;
    AcDbObject(const AcDbObject&) = delete;
    AcDbObject& operator=(const AcDbObject&) = delete;

    // Identity. A non-database object has a null id and handle.
    AcDbObjectId objectId() const;
    AcDbObjectId ownerId() const;
    virtual Acad::ErrorStatus setOwnerId(AcDbObjectId objId);
    void getAcDbHandle(AcDbHandle& handle) const;
    AcDbDatabase* database() const;

    // The extension dictionary: an AcDbDictionary owned by this object, made on demand.
    // createExtensionDictionary answers eAlreadyInDb when there is one, eNoDatabase off a database.
    Acad::ErrorStatus createExtensionDictionary();
    AcDbObjectId extensionDictionary() const;
    // Erases the extension dictionary when it is empty (eContainerNotEmpty otherwise).
    Acad::ErrorStatus releaseExtensionDictionary();

    // Open state changes.
    Acad::ErrorStatus upgradeOpen();
    Acad::ErrorStatus downgradeOpen();
    Acad::ErrorStatus upgradeFromNotify(Adesk::Boolean& wasWritable);
    Acad::ErrorStatus downgradeToNotify(Adesk::Boolean wasWritable);
    Acad::ErrorStatus close();
    Acad::ErrorStatus closeAndPage(Adesk::Boolean onlyWhenClean = true);
    // Closes the object dropping every change made since it was opened for write (data, erase state,
    // extended data, persistent reactors, an extension dictionary made in that open): the state at the
    // first change of the open, kept through the object's own DWG filing, is filed back in. Reactors
    // hear cancelled() and no modified(); the undo step keeps no record that the open alone made.
    // An object open for read or notify is just closed (eOk). A new object (added and not yet closed)
    // has no earlier state: cancel answers eNotApplicable and leaves it open for write, unchanged. The
    // object that took another's place by handOverTo has none either: it is closed with its data kept
    // (eNotApplicable). Each open for write that changes the object files it once, at its first change.
    Acad::ErrorStatus cancel();

    // Erases (or brings back) a database object open for write. eWasErased when it already is,
    // eWasNotErased when un-erasing an object that is not erased. The extension dictionary follows.
    Acad::ErrorStatus erase(Adesk::Boolean erasing = true);

    // The new object takes this object's place: id, handle, owner, position in its block, persistent
    // reactors, and (when asked) extended data and extension dictionary. This object must be a database
    // object open for write; newObject must not be in a database. On success newObject is open for
    // write in this object's place, this object is out of the database, and the answer is
    // eObjectToBeDeleted: the caller deletes this object.
    Acad::ErrorStatus handOverTo(AcDbObject* newObject, Adesk::Boolean keepXData = true,
                                 Adesk::Boolean keepExtDict = true);

    // Persistent reactors, kept as ids (filed with the object).
    void addPersistentReactor(AcDbObjectId objId);
    Acad::ErrorStatus removePersistentReactor(AcDbObjectId objId);
    bool hasPersistentReactor(AcDbObjectId objId) const;
    AcDbObjectIdArray getPersistentReactors() const;

    // Transient reactors: objects of the caller, kept by pointer for the object's life in memory, never
    // filed or copied. A reactor added twice is kept once; the caller removes it before deleting it.
    // They hear the same events as persistent reactors (see AcDbObjectReactor), first.
    void addReactor(AcDbObjectReactor* pReactor) const;
    void removeReactor(AcDbObjectReactor* pReactor) const;
    // The transient reactors (AcDbObjectReactor*), null when there are none.
    const AcDbVoidPtrArray* reactors() const;

    // Extended data as a resbuf list: each application's part starts with its 1001 group. xData answers
    // a copy (the caller frees it with acutRelRb), of one application or of all when regappName is null;
    // null when there is none. setXData replaces the parts of the applications the list names; a part
    // with no data after its 1001 group removes that application's data. The application must be in the
    // registered-application table (eRegappIdNotFound); the object must be open for write.
    virtual resbuf* xData(const ACHAR* regappName = nullptr) const;
    virtual Acad::ErrorStatus setXData(const resbuf* xdata);
    Acad::ErrorStatus xDataTransformBy(const AcGeMatrix3d& xform);

    // State.
    Adesk::Boolean isErased() const;
    Adesk::Boolean isEraseStatusToggled() const;
    Adesk::Boolean isReadEnabled() const;
    Adesk::Boolean isWriteEnabled() const;
    Adesk::Boolean isNotifyEnabled() const;
    Adesk::Boolean isModified() const;
    Adesk::Boolean isModifiedXData() const;
    Adesk::Boolean isModifiedGraphics() const;
    // True from the object's addition to a database until its first close.
    Adesk::Boolean isNewObject() const;
    Adesk::Boolean isNotifying() const;
    Adesk::Boolean isUndoing() const;
    // True while cancel() files the earlier state back in and its notifications run.
    Adesk::Boolean isCancelling() const;
    Adesk::Boolean isReallyClosing() const;
    Adesk::Boolean isTransactionResident() const { return false; }
    Adesk::Boolean isAProxy() const;

    // Report misuse (diagnostic on standard error) when the object is not open as needed.
    // assertWriteEnabled also records the object's state for undo (once per undo step) and marks it
    // modified.
    void assertReadEnabled() const;
    void assertWriteEnabled(Adesk::Boolean autoUndo = true, Adesk::Boolean recordModified = true);
    void assertNotifyEnabled() const;

    void disableUndoRecording(Adesk::Boolean disable);
    bool isUndoRecordingDisabled() const;

    // Filing. dwgOut = dwgOutFields (the object files its own data, base class first, and the
    // AcDbObject part carries owner, reactors, extension dictionary and extended data). dxfOut writes
    // dxfOutFields followed by the extended data groups; dxfIn reads them back.
    Acad::ErrorStatus dwgIn(AcDbDwgFiler* pFiler);
    Acad::ErrorStatus dwgOut(AcDbDwgFiler* pFiler) const;
    Acad::ErrorStatus dxfIn(AcDbDxfFiler* pFiler);
    Acad::ErrorStatus dxfOut(AcDbDxfFiler* pFiler, Adesk::Boolean allXdFlag = true,
                             Adesk::UInt8* regAppTable = nullptr) const;
    virtual Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler);
    virtual Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const;
    virtual Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler);
    virtual Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const;

    // A copy through the object's own filing (a copy filer): same class, same data, extended data
    // included; no owner, no extension dictionary, not in a database, open for write.
    AcRxObject* clone() const override;
    Acad::ErrorStatus copyFrom(const AcRxObject* pSrc) override;

    // Deep clone (see dbidmap.h): a copy through a kDeepCloneFiler, added to this object's database and
    // to pOwnerObject (a block table record takes an entity into its list; any other owner is only
    // named as owner), with the extension dictionary and its entries cloned along; every pair goes into
    // idMap. pClonedObject is the clone, closed; null when this object was already cloned in idMap (its
    // pair is found there). The ids inside the clones are translated by the caller
    // (AcDbDatabase::deepCloneObjects), or by acdbTranslateIdMap (dbidmap.h).
    virtual Acad::ErrorStatus deepClone(AcDbObject* pOwnerObject, AcDbObject*& pClonedObject,
                                        AcDbIdMapping& idMap, Adesk::Boolean isPrimary = true) const;
    // The same through a kWblockCloneFiler; the owner may be in another database (see dbidmap.h for
    // what the ids of such a clone become).
    virtual Acad::ErrorStatus wblockClone(AcRxObject* pOwnerObject, AcDbObject*& pClonedObject,
                                          AcDbIdMapping& idMap, Adesk::Boolean isPrimary = true) const;

    // Graphics.
    Adesk::UInt32 setAttributes(AcGiDrawableTraits* pTraits) override;
    Adesk::Boolean worldDraw(AcGiWorldDraw* pWd) override;
    void viewportDraw(AcGiViewportDraw* pVd) override;
    Adesk::Boolean isPersistent() const override;
    AcDbObjectId id() const override;

    virtual AcDb::DuplicateRecordCloning mergeStyle() const { return AcDb::kDrcIgnore; }

    // Called on a persistent reactor when an object it watches is closed after a change or erased
    // (the reactor is opened for notify around the call).
    virtual void modified(const AcDbObject* dbObj);
    virtual void erased(const AcDbObject* dbObj, Adesk::Boolean erasing = true);
    // ... when an object it watches is first changed in an open for write, when that open is cancelled,
    // and when the object is cloned (newObj is the clone).
    virtual void openedForModify(const AcDbObject* dbObj);
    virtual void cancelled(const AcDbObject* dbObj);
    virtual void copied(const AcDbObject* dbObj, const AcDbObject* newObj);

protected:
    AcDbObject();

    // Hooks of the commercial API: a subclass may refuse (answer an error) or add to the operation.
    virtual Acad::ErrorStatus subErase(Adesk::Boolean erasing);
    virtual Acad::ErrorStatus subOpen(AcDb::OpenMode mode);
    virtual Acad::ErrorStatus subClose();
    virtual Acad::ErrorStatus subHandOverTo(AcDbObject* newObject);

private:
    friend class kelvora::ObjectAccess;

    AcDbStub* m_stub = nullptr;            // the database's record of this object; null off a database
    AcDbDatabase* m_database = nullptr;
    AcDbObjectId m_ownerId;
    AcDbObjectId m_extDictId;
    std::vector<AcDbObjectId> m_reactorIds;
    resbuf* m_xdata = nullptr;             // extended data, all applications, in the order given
    resbuf* m_keptDxfGroups = nullptr;     // 102 application groups read from DXF, written back as read
    AcDbHandle m_pendingHandle;            // the handle read from DXF before the object joins a database
    Adesk::UInt16 m_readers = 0;
    bool m_writer = false;
    bool m_notifier = false;
    bool m_newObject = false;
    bool m_modified = false;
    bool m_modifiedGraphics = false;
    bool m_modifiedXData = false;
    bool m_eraseToggled = false;
    bool m_undoing = false;
    bool m_undoDisabled = false;
    bool m_closing = false;
    bool m_cancelling = false;
    // The open for write in progress: whether the undo step had a record of this object before the
    // open, whether its first change happened, and the state kept then for cancel().
    bool m_undoHadRecord = false;
    bool m_changedInOpen = false;
    kelvora::OpenSnapshot* m_openSnapshot = nullptr;
    mutable AcDbVoidPtrArray* m_transientReactors = nullptr;
};

// ---------------------------------------------------------------------------------------------------

// A transient reactor: derive from it, override the events wanted, and attach it with
// AcDbObject::addReactor. Events (object-open state at the call in brackets):
//   openedForModify  the first change of an open for write, before it is made [write]
//   modified         close after a change [closing]
//   modifiedXData    close after a change of the extended data, before modified [closing]
//   erased           erase or un-erase, after the flag changed [write]
//   cancelled        cancel() of an open for write, after the earlier state is back [write]
//   copied           clone(), deepClone() or wblockClone(): newObj is the copy
//   objectClosed     every close of the object, after it is closed
//   goodbye          the object is being deleted from memory (its database goes, undo rebuilds it in
//                    another class, the caller deletes handOverTo's loser): only its address may be used
// The defaults do nothing.
class AcDbObjectReactor : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbObjectReactor);
    ~AcDbObjectReactor() override = default;

    virtual void cancelled(const AcDbObject* dbObj);
    virtual void copied(const AcDbObject* dbObj, const AcDbObject* newObj);
    virtual void erased(const AcDbObject* dbObj, Adesk::Boolean erasing = true);
    virtual void goodbye(const AcDbObject* dbObj);
    virtual void openedForModify(const AcDbObject* dbObj);
    virtual void modified(const AcDbObject* dbObj);
    virtual void modifiedXData(const AcDbObject* dbObj);
    virtual void objectClosed(const AcDbObjectId objId);

protected:
    AcDbObjectReactor() = default;
};

// ---------------------------------------------------------------------------------------------------

class AcDbEntity : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbEntity);
    ~AcDbEntity() override;

    // The block this entity belongs to (its owner).
    AcDbObjectId blockId() const;

    // Colour: ByLayer (index 256) by default.
    AcCmColor color() const;
    virtual Acad::ErrorStatus setColor(const AcCmColor& color, Adesk::Boolean doSubents = true);
    Adesk::UInt16 colorIndex() const;
    virtual Acad::ErrorStatus setColorIndex(Adesk::UInt16 color, Adesk::Boolean doSubents = true);
    AcCmEntityColor entityColor() const;

    // layer() and linetype() answer a copy of the name allocated with new[] (free it with
    // acutDelString); an empty name when the entity has none yet.
    ACHAR* layer() const;
    AcDbObjectId layerId() const;
    // By name: looked up in the entity's database (the working database off a database); eKeyNotFound
    // when there is no such layer.
    virtual Acad::ErrorStatus setLayer(const ACHAR* newVal, Adesk::Boolean doSubents = true,
                                       bool allowHiddenLayer = false);
    virtual Acad::ErrorStatus setLayer(AcDbObjectId newVal, Adesk::Boolean doSubents = true,
                                       bool allowHiddenLayer = false);

    ACHAR* linetype() const;
    AcDbObjectId linetypeId() const;
    virtual Acad::ErrorStatus setLinetype(const ACHAR* newVal, Adesk::Boolean doSubents = true);
    virtual Acad::ErrorStatus setLinetype(AcDbObjectId newVal, Adesk::Boolean doSubents = true);

    double linetypeScale() const;
    virtual Acad::ErrorStatus setLinetypeScale(double newval, Adesk::Boolean doSubents = true);

    AcDb::Visibility visibility() const;
    virtual Acad::ErrorStatus setVisibility(AcDb::Visibility newVal, Adesk::Boolean doSubents = true);

    AcDb::LineWeight lineWeight() const;
    virtual Acad::ErrorStatus setLineWeight(AcDb::LineWeight newVal, Adesk::Boolean doSubents = true);

    // Copies colour, layer, linetype, linetype scale, visibility and line weight (and the common
    // groups kept from DXF, such as the plot style) from pEntity. eNullEntityPointer for null.
    Acad::ErrorStatus setPropertiesFrom(const AcDbEntity* pEntity, Adesk::Boolean doSubents = true);

    // Sets the properties from the database's current values (CECOLOR, CLAYER, CELTYPE, CELTSCALE,
    // CELWEIGHT), the entity's database or the working database by default; then subSetDatabaseDefaults.
    void setDatabaseDefaults();
    void setDatabaseDefaults(AcDbDatabase* pDb);
    virtual void subSetDatabaseDefaults(AcDbDatabase* pDb);

    virtual Adesk::Boolean isPlanar() const { return false; }
    virtual Acad::ErrorStatus getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const;
    virtual void getEcs(AcGeMatrix3d& retVal) const;

    // Default: the box of what the entity's own worldDraw draws (recorded, world coordinates);
    // eInvalidExtents when it draws nothing measurable.
    virtual Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const;

    // Defaults answer eNotApplicable.
    virtual Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform);
    virtual Acad::ErrorStatus explode(AcDbVoidPtrArray& entitySet) const;
    // Default: a clone, transformed; the caller owns it.
    virtual Acad::ErrorStatus getTransformedCopy(const AcGeMatrix3d& xform, AcDbEntity*& pEnt) const;

    virtual Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType,
                                            AcGePoint3dArray& points, Adesk::GsMarker thisGsMarker = 0,
                                            Adesk::GsMarker otherGsMarker = 0) const;
    virtual Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType,
                                            const AcGePlane& projPlane, AcGePoint3dArray& points,
                                            Adesk::GsMarker thisGsMarker = 0,
                                            Adesk::GsMarker otherGsMarker = 0) const;

    // Default: no snap points, eOk.
    virtual Acad::ErrorStatus getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                             const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                             const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                             AcDbIntArray& geomIds) const;
    virtual Acad::ErrorStatus getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                             const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                             const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                             AcDbIntArray& geomIds, const AcGeMatrix3d& insertionMat) const;

    // Grips. Defaults: the point form answers eNotApplicable. The grip-data form makes one
    // AcDbGripData per grip of the point form, whose application data is kelvora's grip index tag
    // (see dbgrip.h: acdbGripIndexAppData); the application-data move form turns those tags back into
    // indices for the index form and ignores other application data. The caller owns the grip data.
    virtual Acad::ErrorStatus getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                            AcDbIntArray& geomIds) const;
    virtual Acad::ErrorStatus moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset);
    virtual Acad::ErrorStatus getGripPoints(AcDbGripDataPtrArray& grips, const double curViewUnitSize,
                                            const int gripSize, const AcGeVector3d& curViewDir,
                                            const int bitflags) const;
    virtual Acad::ErrorStatus moveGripPointsAt(const AcDbVoidPtrArray& gripAppData, const AcGeVector3d& offset,
                                               const int bitflags);
    // Defaults: the grip points, and moving them.
    virtual Acad::ErrorStatus getStretchPoints(AcGePoint3dArray& stretchPoints) const;
    virtual Acad::ErrorStatus moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset);

    // Graphics. setAttributes gives the traits the entity's colour, layer, linetype, linetype scale and
    // line weight. The default worldDraw draws nothing and answers true.
    Adesk::UInt32 setAttributes(AcGiDrawableTraits* pTraits) override;
    Adesk::Boolean worldDraw(AcGiWorldDraw* mode) override;
    void viewportDraw(AcGiViewportDraw* mode) override;
    // Graphics for a save (proxy graphics): by default the entity's own worldDraw.
    virtual void saveAs(AcGiWorldDraw* mode, AcDb::SaveType st);
    // Prints the entity's type, layer, space and handle to the command line (kelvora/host_output.h).
    virtual void list() const;

    void recordGraphicsModified(Adesk::Boolean setModified = true);
    virtual Adesk::Boolean cloneMeForDragging() { return true; }
    virtual bool hideMeForDragging() const { return true; }

    // Common entity data: layer, linetype, colour, linetype scale, visibility, line weight.
    // DXF: 100 "AcDbEntity", 67 (paper space), 8 layer, 6 linetype, 62 colour, 420 true colour,
    // 370 line weight, 48 linetype scale, 60 visibility; other common groups (347, 390, 410, 440,
    // 284...) are kept as read and written back. 92/160/310 (proxy graphics) are read and dropped.
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

protected:
    AcDbEntity();

private:
    friend class kelvora::ObjectAccess;

    AcCmColor m_color;
    AcDbObjectId m_layerId;
    AcDbObjectId m_linetypeId;
    double m_linetypeScale = 1.0;
    AcDb::Visibility m_visibility = AcDb::kVisible;
    AcDb::LineWeight m_lineWeight = AcDb::kLnWtByLayer;
    resbuf* m_keptCommonGroups = nullptr;  // common DXF groups the host does not model, as read
};

// ---------------------------------------------------------------------------------------------------

// A drawing: its objects (each under an id and a handle), symbol tables, named object dictionary and
// header variables. A new database built with buildDefaultDrawing holds layer "0", text style
// "Standard", linetypes ByBlock, ByLayer and Continuous, registered application "ACAD", dimension
// style "Standard", viewport "*Active", blocks "*Model_Space" and "*Paper_Space", and a named object
// dictionary with "ACAD_GROUP". The database owns its objects and deletes them with itself.
class AcDbDatabase : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbDatabase);

    explicit AcDbDatabase(bool buildDefaultDrawing = true, bool noDocument = false);
    ~AcDbDatabase() override;
    AcDbDatabase(const AcDbDatabase&) = delete;
    AcDbDatabase& operator=(const AcDbDatabase&) = delete;

    // Adds an object that is in no database; it gets the next handle and stays open for write.
    // eAlreadyInDb when it is in a database; eNullObjectPointer for null.
    Acad::ErrorStatus addAcDbObject(AcDbObject* pObj);
    Acad::ErrorStatus addAcDbObject(AcDbObjectId& objId, AcDbObject* pObj);

    // Deep clones the objects of this database (see dbidmap.h) into owner, a block table record (or any
    // object) of this database, then translates the ids inside the clones through idMap unless
    // deferXlation (the caller then calls acdbTranslateIdMap). idMap gets this database as origin and
    // destination and the context kDcObjects. eNullObjectId for a null owner; eWrongDatabase for an
    // object or owner of another database (nothing is cloned then). An object that cannot be opened or
    // cloned is skipped and its status answered after the others are done.
    Acad::ErrorStatus deepCloneObjects(AcDbObjectIdArray& objectIds, AcDbObjectId& owner, AcDbIdMapping& idMap,
                                       bool deferXlation = false);
    // The same through wblockClone, from this database (the objects') to owner, which may be in another
    // database: see dbidmap.h for what comes along. idMap gets the context kDcWblkObjects and drc;
    // records already in the destination are used as they are whatever drc says (kDrcIgnore).
    Acad::ErrorStatus wblockCloneObjects(AcDbObjectIdArray& objectIds, AcDbObjectId& owner, AcDbIdMapping& idMap,
                                         AcDb::DuplicateRecordCloning drc, bool deferXlation = false);

    // The id of a handle. With createIfNotFound, an unused handle gets an id with no object yet (a
    // forward reference of a drawing being read), which the object of that handle takes when it is
    // added; the handle seed moves above it. Otherwise eUnknownHandle (or eNullHandle).
    Acad::ErrorStatus getAcDbObjectId(AcDbObjectId& retId, bool createIfNotFound, const AcDbHandle& objHandle,
                                      Adesk::UInt32 xRefId = 0);

    // The next handle to be given ($HANDSEED). It only grows: setting a lower value is ignored.
    AcDbHandle handseed() const;
    Acad::ErrorStatus setHandseed(const AcDbHandle& handle);
    Adesk::Int32 approxNumObjects() const;

    // Symbol tables and dictionaries.
    Acad::ErrorStatus getBlockTable(AcDbBlockTable*& pTable, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getLayerTable(AcDbLayerTable*& pTable, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getTextStyleTable(AcDbTextStyleTable*& pTable, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getLinetypeTable(AcDbLinetypeTable*& pTable, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getViewTable(AcDbViewTable*& pTable, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getUCSTable(AcDbUCSTable*& pTable, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getViewportTable(AcDbViewportTable*& pTable, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getRegAppTable(AcDbRegAppTable*& pTable, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getDimStyleTable(AcDbDimStyleTable*& pTable, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getSymbolTable(AcDbBlockTable*& pTable, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getSymbolTable(AcDbLayerTable*& pTable, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getSymbolTable(AcDbTextStyleTable*& pTable, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getSymbolTable(AcDbLinetypeTable*& pTable, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getSymbolTable(AcDbViewTable*& pTable, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getSymbolTable(AcDbUCSTable*& pTable, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getSymbolTable(AcDbViewportTable*& pTable, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getSymbolTable(AcDbRegAppTable*& pTable, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getSymbolTable(AcDbDimStyleTable*& pTable, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getNamedObjectsDictionary(AcDbDictionary*& pDict, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getGroupDictionary(AcDbDictionary*& pDict, AcDb::OpenMode mode = AcDb::kForRead);

    AcDbObjectId blockTableId() const;
    AcDbObjectId layerTableId() const;
    AcDbObjectId textStyleTableId() const;
    AcDbObjectId linetypeTableId() const;
    AcDbObjectId viewTableId() const;
    AcDbObjectId UCSTableId() const;
    AcDbObjectId viewportTableId() const;
    AcDbObjectId regAppTableId() const;
    AcDbObjectId dimStyleTableId() const;
    AcDbObjectId namedObjectsDictionaryId() const;
    AcDbObjectId groupDictionaryId() const;
    AcDbObjectId byLayerLinetype() const;
    AcDbObjectId byBlockLinetype() const;
    // Host-own: the Continuous linetype, "*Model_Space" and "*Paper_Space".
    AcDbObjectId continuousLinetype() const;
    AcDbObjectId modelSpaceId() const;
    AcDbObjectId paperSpaceId() const;
    // The space new entities go to: model space (the host has no active layout).
    AcDbObjectId currentSpaceId() const;

    // Header variables. Setters answer eInvalidInput for a value out of range (and change nothing);
    // changes are recorded for undo.
    double textsize() const;                     // TEXTSIZE, 2.5
    Acad::ErrorStatus setTextsize(double size);  // > 0
    AcDbObjectId textstyle() const;              // TEXTSTYLE, "Standard"
    Acad::ErrorStatus setTextstyle(AcDbObjectId objId);
    AcDbObjectId clayer() const;                 // CLAYER, "0"
    Acad::ErrorStatus setClayer(AcDbObjectId objId);
    AcDbObjectId celtype() const;                // CELTYPE, ByLayer
    Acad::ErrorStatus setCeltype(AcDbObjectId objId);
    AcCmColor cecolor() const;                   // CECOLOR, ByLayer
    Acad::ErrorStatus setCecolor(const AcCmColor& color);
    AcDb::LineWeight celweight() const;          // CELWEIGHT, ByLayer
    Acad::ErrorStatus setCelweight(AcDb::LineWeight weight);
    double celtscale() const;                    // CELTSCALE, 1
    Acad::ErrorStatus setCeltscale(double scale);
    double ltscale() const;                      // LTSCALE, 1
    Acad::ErrorStatus setLtscale(double scale);
    Adesk::Int16 lunits() const;                 // LUNITS, 2 (decimal), 1..5
    Acad::ErrorStatus setLunits(Adesk::Int16 units);
    Adesk::Int16 luprec() const;                 // LUPREC, 4, 0..8
    Acad::ErrorStatus setLuprec(Adesk::Int16 prec);
    Adesk::Int16 aunits() const;                 // AUNITS, 0 (degrees), 0..4
    Acad::ErrorStatus setAunits(Adesk::Int16 units);
    Adesk::Int16 auprec() const;                 // AUPREC, 0, 0..8
    Acad::ErrorStatus setAuprec(Adesk::Int16 prec);
    double angbase() const;                      // ANGBASE, 0 (radians)
    Acad::ErrorStatus setAngbase(double angle);
    bool angdir() const;                         // ANGDIR, false (counter-clockwise)
    Acad::ErrorStatus setAngdir(bool clockwise);
    Adesk::Int16 pdmode() const;                 // PDMODE, 0
    Acad::ErrorStatus setPdmode(Adesk::Int16 mode);
    double pdsize() const;                       // PDSIZE, 0
    Acad::ErrorStatus setPdsize(double size);
    Adesk::Int16 plinetype() const;              // PLINETYPE, 2, 0..2
    Acad::ErrorStatus setPlinetype(Adesk::Int16 type);
    double plinewid() const;                     // PLINEWID, 0
    Acad::ErrorStatus setPlinewid(double width);
    double filletrad() const;                    // FILLETRAD, 0
    Acad::ErrorStatus setFilletrad(double radius);
    bool orthomode() const;                      // ORTHOMODE, false
    Acad::ErrorStatus setOrthomode(bool mode);
    bool tilemode() const;                       // TILEMODE, true
    Acad::ErrorStatus setTilemode(bool mode);
    double elevation() const;                    // ELEVATION, 0
    Acad::ErrorStatus setElevation(double elev);
    double thickness() const;                    // THICKNESS, 0
    Acad::ErrorStatus setThickness(double thickness);
    AcDbObjectId dimstyle() const;               // DIMSTYLE, "Standard"
    Acad::ErrorStatus setDimstyle(AcDbObjectId styleId);
    Adesk::Int16 measurement() const;            // MEASUREMENT, 1 (metric)
    Acad::ErrorStatus setMeasurement(Adesk::Int16 type);
    Adesk::Int16 insunits() const;               // INSUNITS, 0 (unitless)
    Acad::ErrorStatus setInsunits(Adesk::Int16 units);
    AcGePoint3d insbase() const;                 // INSBASE, origin
    Acad::ErrorStatus setInsbase(const AcGePoint3d& base);
    AcGePoint2d limmin() const;                  // LIMMIN, 0,0
    Acad::ErrorStatus setLimmin(const AcGePoint2d& pt);
    AcGePoint2d limmax() const;                  // LIMMAX, 420,297
    Acad::ErrorStatus setLimmax(const AcGePoint2d& pt);
    // EXTMIN/EXTMAX: stored values (empty box, 1e20 and -1e20, in a new drawing); updateExt recomputes
    // them from the entities of model space.
    AcGePoint3d extmin() const;
    AcGePoint3d extmax() const;
    Acad::ErrorStatus setExtmin(const AcGePoint3d& pt);
    Acad::ErrorStatus setExtmax(const AcGePoint3d& pt);
    Acad::ErrorStatus updateExt(bool doBestFit = false);

    // Undo recording of this database (see kelvora/undo.h for steps).
    void disableUndoRecording(bool disable);
    bool undoRecording() const;

    // Host-own: a number that names this database in ads names (never reused in a process).
    Adesk::UInt32 serialNumber() const;

private:
    friend class kelvora::ObjectAccess;
    kelvora::DatabaseImpl* m_impl;
};

// ---------------------------------------------------------------------------------------------------

template <class T_OBJECT>
inline Acad::ErrorStatus acdbOpenObject(T_OBJECT*& pObj, AcDbObjectId id, AcDb::OpenMode mode, bool openErased)
{
    pObj = nullptr;
    AcDbObject* pDbObj = nullptr;
    Acad::ErrorStatus es = acdbOpenAcDbObject(pDbObj, id, mode, openErased);
    if (es != Acad::eOk)
        return es;
    pObj = T_OBJECT::cast(pDbObj);
    if (pObj == nullptr) {
        pDbObj->close();
        return Acad::eNotThatKindOfClass;
    }
    return Acad::eOk;
}
