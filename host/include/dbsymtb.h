// Symbol tables and their records: blocks, layers, text styles, linetypes, registered applications, and the plain tables.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "dbmain.h"

class AcDbSymbolTableRecord;
class AcDbSymbolTableIterator;
class AcDbBlockTableRecordIterator;

// Record names are compared without regard to case (ASCII and Latin-1 letters), exactly otherwise:
// blanks are part of the name. Erased records are not found by getAt/has unless asked.
class AcDbSymbolTable : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbSymbolTable);
    ~AcDbSymbolTable() override;

    // eKeyNotFound when no record has the name; eNullObjectPointer for a null name.
    Acad::ErrorStatus getAt(const ACHAR* entryName, AcDbSymbolTableRecord*& pRec, AcDb::OpenMode openMode,
                            bool openErasedRec = false) const;
    Acad::ErrorStatus getAt(const ACHAR* entryName, AcDbObjectId& recordId, bool getErasedRecord = false) const;
    bool has(const ACHAR* name) const;
    bool has(AcDbObjectId id) const;
    // The caller deletes the iterator.
    Acad::ErrorStatus newIterator(AcDbSymbolTableIterator*& pIterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;
    // The table must be open for write and in a database; the record must not be in a database, must
    // be of the table's record class (eWrongObjectType), have a name (eInvalidSymbolTableName) and no
    // namesake among the non-erased records (eDuplicateRecordName). The record is added to the
    // database, owned by the table, and left open for write.
    Acad::ErrorStatus add(AcDbSymbolTableRecord* pRecord);
    Acad::ErrorStatus add(AcDbObjectId& recordId, AcDbSymbolTableRecord* pRecord);

    // Host-own: the record class the table holds, and the record ids in table order (erased included).
    virtual AcRxClass* recordClass() const = 0;
    const std::vector<AcDbObjectId>& recordIds() const { return m_records; }

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

protected:
    AcDbSymbolTable() = default;

private:
    friend class kelvora::ObjectAccess;
    std::vector<AcDbObjectId> m_records;
    // The places in m_records by the hash of each record's folded name, for look-ups by name: the
    // first m_namesIndexed records are in it. Extended as records are added, made again after a
    // record of the table changes its name.
    mutable std::unordered_map<std::size_t, std::vector<std::size_t>> m_byName;
    mutable std::size_t m_namesIndexed = 0;
};

class AcDbSymbolTableIterator {
public:
    virtual ~AcDbSymbolTableIterator() = default;
    AcDbSymbolTableIterator(const AcDbSymbolTableIterator&) = delete;
    AcDbSymbolTableIterator& operator=(const AcDbSymbolTableIterator&) = delete;

    void start(bool atBeginning = true, bool skipDeleted = true);
    bool done() const;
    void step(bool forward = true, bool skipDeleted = true);
    Acad::ErrorStatus getRecordId(AcDbObjectId& id) const;
    Acad::ErrorStatus getRecord(AcDbSymbolTableRecord*& pRecord, AcDb::OpenMode openMode = AcDb::kForRead,
                                bool openErasedRec = false) const;
    Acad::ErrorStatus seek(AcDbObjectId id);
    Acad::ErrorStatus seek(const AcDbSymbolTableRecord* pRecord);

    // Host-own: an iterator over the table of that id (newIterator is the usual way).
    explicit AcDbSymbolTableIterator(AcDbObjectId tableId) : m_tableId(tableId) {}

protected:
    AcDbObjectId m_tableId;
    int m_index = 0;
};

class AcDbSymbolTableRecord : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbSymbolTableRecord);
    ~AcDbSymbolTableRecord() override;

    // A copy allocated with new[] (free with acutDelString), or a pointer into the record.
    Acad::ErrorStatus getName(ACHAR*& pName) const;
    Acad::ErrorStatus getName(const ACHAR*& pName) const;
    // eInvalidSymbolTableName for an empty name or one with <>/\":;?*|,=` (a leading * is allowed for
    // the special blocks); eDuplicateRecordName when another record of the table has the name.
    Acad::ErrorStatus setName(const ACHAR* pName);

    bool isDependent() const;
    bool isResolved() const;
    bool isRenamable() const;

    // The flags of DXF group 70 that the host does not interpret are kept.
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

protected:
    AcDbSymbolTableRecord();
    // Host-own: the group 70 bits, for subclasses that map some of them to their own properties.
    Adesk::Int16 recordFlags() const { return m_flags; }
    void setRecordFlags(Adesk::Int16 flags) { m_flags = flags; }

private:
    friend class kelvora::ObjectAccess;
    std::wstring m_name;
    Adesk::Int16 m_flags = 0;
};

// Declares the typed members that each table adds over AcDbSymbolTable.
#define KELVORA_SYMBOL_TABLE_MEMBERS(RECORD, ITERATOR)                                                     \
    Acad::ErrorStatus getAt(const ACHAR* entryName, RECORD*& pRec, AcDb::OpenMode openMode,                \
                            bool openErasedRec = false) const;                                             \
    Acad::ErrorStatus getAt(const ACHAR* entryName, AcDbObjectId& recordId, bool getErasedRecord = false)  \
        const;                                                                                             \
    Acad::ErrorStatus newIterator(ITERATOR*& pIterator, bool atBeginning = true, bool skipDeleted = true)  \
        const;                                                                                             \
    Acad::ErrorStatus add(RECORD* pRecord);                                                                \
    Acad::ErrorStatus add(AcDbObjectId& recordId, RECORD* pRecord);                                        \
    AcRxClass* recordClass() const override

// Declares a typed iterator over a table of RECORD.
#define KELVORA_SYMBOL_TABLE_ITERATOR(ITERATOR, RECORD)                                                    \
    class ITERATOR : public AcDbSymbolTableIterator {                                                      \
    public:                                                                                                \
        using AcDbSymbolTableIterator::getRecord;                                                          \
        Acad::ErrorStatus getRecord(RECORD*& pRecord, AcDb::OpenMode openMode = AcDb::kForRead,            \
                                    bool openErasedRec = false) const;                                     \
        explicit ITERATOR(AcDbObjectId tableId) : AcDbSymbolTableIterator(tableId) {}                      \
    }

// ----- Blocks -------------------------------------------------------------------------------------

class AcDbBlockTableRecord;
KELVORA_SYMBOL_TABLE_ITERATOR(AcDbBlockTableIterator, AcDbBlockTableRecord);

// The block table. Standard names: ACDB_MODEL_SPACE and ACDB_PAPER_SPACE.
#define ACDB_MODEL_SPACE ACRX_T("*Model_Space")
#define ACDB_PAPER_SPACE ACRX_T("*Paper_Space")

class AcDbBlockTable : public AcDbSymbolTable {
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockTable);
    AcDbBlockTable();
    KELVORA_SYMBOL_TABLE_MEMBERS(AcDbBlockTableRecord, AcDbBlockTableIterator);
};

// A block: its entities in drawing order (the order of appendAcDbEntity), origin and description.
class AcDbBlockTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockTableRecord);
    typedef AcDbBlockTable TableType;
    AcDbBlockTableRecord();
    ~AcDbBlockTableRecord() override;

    // The block must be open for write and in a database; the entity must be in no database
    // (eAlreadyInDb). The entity joins the database with the next handle, becomes owned by the block,
    // goes last in drawing order and stays open for write. An entity without a layer takes the
    // database's current properties (setDatabaseDefaults).
    Acad::ErrorStatus appendAcDbEntity(AcDbEntity* pEntity);
    Acad::ErrorStatus appendAcDbEntity(AcDbObjectId& pOutputId, AcDbEntity* pEntity);
    // The caller deletes the iterator.
    Acad::ErrorStatus newIterator(AcDbBlockTableRecordIterator*& pIterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;

    Acad::ErrorStatus comments(ACHAR*& pString) const;
    Acad::ErrorStatus comments(const ACHAR*& pString) const;
    Acad::ErrorStatus setComments(const ACHAR* pString);
    Acad::ErrorStatus pathName(ACHAR*& pPath) const;
    Acad::ErrorStatus pathName(const ACHAR*& pPath) const;
    Acad::ErrorStatus setPathName(const ACHAR* pathStr);
    AcGePoint3d origin() const;
    Acad::ErrorStatus setOrigin(const AcGePoint3d& pt);
    // Anonymous blocks have names beginning with '*' other than the two spaces.
    bool isAnonymous() const;
    bool isLayout() const;
    bool hasAttributeDefinitions() const;
    bool isFromExternalReference() const;
    AcDbObjectId getLayoutId() const;
    Acad::ErrorStatus setLayoutId(AcDbObjectId id);

    // Host-own: the entity ids in drawing order (erased included), and the BLOCK entity's group 70.
    const std::vector<AcDbObjectId>& entityIds() const { return m_entities; }
    Adesk::Int16 blockFlags() const { return m_blockFlags; }
    Acad::ErrorStatus setBlockFlags(Adesk::Int16 flags);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

private:
    friend class kelvora::ObjectAccess;
    std::vector<AcDbObjectId> m_entities;
    AcGePoint3d m_origin;
    std::wstring m_comments;
    std::wstring m_pathName;
    AcDbObjectId m_layoutId;
    Adesk::Int16 m_blockFlags = 0;
    resbuf* m_keptGroups = nullptr;
};

// Walks a block's entities in drawing order. The iterator holds the block's id, so it stays safe
// while entities are appended.
class AcDbBlockTableRecordIterator {
public:
    virtual ~AcDbBlockTableRecordIterator() = default;
    AcDbBlockTableRecordIterator(const AcDbBlockTableRecordIterator&) = delete;
    AcDbBlockTableRecordIterator& operator=(const AcDbBlockTableRecordIterator&) = delete;

    void start(bool atBeginning = true, bool skipDeleted = true);
    bool done() const;
    void step(bool forward = true, bool skipDeleted = true);
    Acad::ErrorStatus getEntityId(AcDbObjectId& entityId) const;
    Acad::ErrorStatus getEntity(AcDbEntity*& pEntity, AcDb::OpenMode openMode = AcDb::kForRead,
                                bool openErasedEntity = false) const;
    AcDbBlockTableRecord* blockTableRecord() const;
    Acad::ErrorStatus seek(AcDbObjectId id);
    Acad::ErrorStatus seek(const AcDbEntity* pEntity);

private:
    friend class AcDbBlockTableRecord;
    explicit AcDbBlockTableRecordIterator(AcDbObjectId blockId) : m_blockId(blockId) {}
    AcDbObjectId m_blockId;
    int m_index = 0;
};

// ----- Layers -------------------------------------------------------------------------------------

class AcDbLayerTableRecord;
KELVORA_SYMBOL_TABLE_ITERATOR(AcDbLayerTableIterator, AcDbLayerTableRecord);

class AcDbLayerTable : public AcDbSymbolTable {
public:
    ACRX_DECLARE_MEMBERS(AcDbLayerTable);
    AcDbLayerTable();
    KELVORA_SYMBOL_TABLE_MEMBERS(AcDbLayerTableRecord, AcDbLayerTableIterator);
};

// A layer: colour (index 7 by default), linetype, line weight, and the off, frozen, locked and plot
// states. DXF: 62 colour (negative when off), 420 true colour, 70 flags (1 frozen, 4 locked), 6 linetype
// name, 290 plot, 370 line weight.
class AcDbLayerTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbLayerTableRecord);
    typedef AcDbLayerTable TableType;
    AcDbLayerTableRecord();
    ~AcDbLayerTableRecord() override;

    bool isFrozen() const;
    Acad::ErrorStatus setIsFrozen(bool frozen);
    bool isOff() const;
    void setIsOff(bool off);
    bool isLocked() const;
    void setIsLocked(bool locked);
    bool isPlottable() const;
    Acad::ErrorStatus setIsPlottable(bool plot);
    bool isHidden() const { return false; }
    bool isInUse() const;

    AcCmColor color() const;
    void setColor(const AcCmColor& color);
    AcDbObjectId linetypeObjectId() const;
    Acad::ErrorStatus setLinetypeObjectId(AcDbObjectId id);
    AcDb::LineWeight lineWeight() const;
    Acad::ErrorStatus setLineWeight(AcDb::LineWeight weight);
    ACHAR* description() const;  // new[], free with acutDelString
    Acad::ErrorStatus setDescription(const ACHAR* description);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

private:
    friend class kelvora::ObjectAccess;
    AcCmColor m_color;
    AcDbObjectId m_linetypeId;
    AcDb::LineWeight m_lineWeight = AcDb::kLnWtByLwDefault;
    std::wstring m_description;
    bool m_off = false;
    bool m_frozen = false;
    bool m_locked = false;
    bool m_plottable = true;
    resbuf* m_keptGroups = nullptr;
};

// ----- Text styles --------------------------------------------------------------------------------

class AcDbTextStyleTableRecord;
KELVORA_SYMBOL_TABLE_ITERATOR(AcDbTextStyleTableIterator, AcDbTextStyleTableRecord);

class AcDbTextStyleTable : public AcDbSymbolTable {
public:
    ACRX_DECLARE_MEMBERS(AcDbTextStyleTable);
    AcDbTextStyleTable();
    KELVORA_SYMBOL_TABLE_MEMBERS(AcDbTextStyleTableRecord, AcDbTextStyleTableIterator);
};

// A text style: font file, big font file, fixed height (0 for variable), width factor, obliquing
// angle (radians). DXF: 70 flags (1 shape file, 4 vertical), 40, 41, 50 (degrees), 71, 42, 3, 4.
class AcDbTextStyleTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbTextStyleTableRecord);
    typedef AcDbTextStyleTable TableType;
    AcDbTextStyleTableRecord();
    ~AcDbTextStyleTableRecord() override;

    Adesk::Boolean isShapeFile() const;
    void setIsShapeFile(Adesk::Boolean shape);
    Adesk::Boolean isVertical() const;
    void setIsVertical(Adesk::Boolean vertical);
    double textSize() const;
    Acad::ErrorStatus setTextSize(double size);        // >= 0
    double xScale() const;
    Acad::ErrorStatus setXScale(double xScale);        // > 0
    double obliquingAngle() const;
    Acad::ErrorStatus setObliquingAngle(double angle);
    // Generation flags (DXF 71): 2 backward, 4 upside down.
    Adesk::UInt8 flagBits() const;
    void setFlagBits(Adesk::UInt8 flags);
    double priorSize() const;
    Acad::ErrorStatus setPriorSize(double size);
    Acad::ErrorStatus fileName(ACHAR*& fileName) const;
    Acad::ErrorStatus fileName(const ACHAR*& fileName) const;
    Acad::ErrorStatus setFileName(const ACHAR* fileName);
    Acad::ErrorStatus bigFontFileName(ACHAR*& fileName) const;
    Acad::ErrorStatus bigFontFileName(const ACHAR*& fileName) const;
    Acad::ErrorStatus setBigFontFileName(const ACHAR* fileName);
    // The TrueType face, kept as given (the host measures with the font file name).
    Acad::ErrorStatus setFont(const ACHAR* pTypeface, Adesk::Boolean bold, Adesk::Boolean italic, int charset,
                              int pitchAndFamily);
    Acad::ErrorStatus font(ACHAR*& pTypeface, Adesk::Boolean& bold, Adesk::Boolean& italic, int& charset,
                           int& pitchAndFamily) const;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

private:
    friend class kelvora::ObjectAccess;
    std::wstring m_fileName;
    std::wstring m_bigFontFileName;
    std::wstring m_typeface;
    double m_textSize = 0.0;
    double m_xScale = 1.0;
    double m_obliquingAngle = 0.0;
    double m_priorSize = 2.5;
    Adesk::UInt8 m_flagBits = 0;
    bool m_bold = false;
    bool m_italic = false;
    int m_charset = 0;
    int m_pitchAndFamily = 0;
    resbuf* m_keptGroups = nullptr;
};

// ----- Linetypes ----------------------------------------------------------------------------------

class AcDbLinetypeTableRecord;
KELVORA_SYMBOL_TABLE_ITERATOR(AcDbLinetypeTableIterator, AcDbLinetypeTableRecord);

class AcDbLinetypeTable : public AcDbSymbolTable {
public:
    ACRX_DECLARE_MEMBERS(AcDbLinetypeTable);
    AcDbLinetypeTable();
    KELVORA_SYMBOL_TABLE_MEMBERS(AcDbLinetypeTableRecord, AcDbLinetypeTableIterator);
};

// A linetype: description and dash pattern (positive dash, negative gap, 0 dot). The shape and text
// groups of complex linetypes are kept with their dash as read.
class AcDbLinetypeTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbLinetypeTableRecord);
    typedef AcDbLinetypeTable TableType;
    AcDbLinetypeTableRecord();
    ~AcDbLinetypeTableRecord() override;

    Acad::ErrorStatus comments(ACHAR*& pString) const;
    Acad::ErrorStatus comments(const ACHAR*& pString) const;
    Acad::ErrorStatus setComments(const ACHAR* pString);
    Acad::ErrorStatus asciiDescription(ACHAR*& pString) const { return comments(pString); }
    Acad::ErrorStatus setAsciiDescription(const ACHAR* pString) { return setComments(pString); }
    double patternLength() const;
    void setPatternLength(double patternLength);
    int numDashes() const;
    // Growing adds zero-length dashes; a negative count is refused (reported, nothing changes).
    void setNumDashes(int count);
    // An index out of range answers 0 (and is reported as misuse).
    double dashLengthAt(int index) const;
    void setDashLengthAt(int index, double value);
    bool isScaledToFit() const;
    void setIsScaledToFit(bool scaledToFit);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

private:
    friend class kelvora::ObjectAccess;
    struct Dash {
        double length = 0.0;
        resbuf* keptGroups = nullptr;  // 74, 75, 340, 46, 50, 44, 45, 9 of a complex dash
    };
    std::wstring m_comments;
    double m_patternLength = 0.0;
    std::vector<Dash> m_dashes;
    bool m_scaledToFit = false;
};

// ----- Registered applications and the plain tables ----------------------------------------------

// The plain records keep every DXF group of their own subclass as read, and write them back.
#define KELVORA_PLAIN_RECORD(RECORD, TABLE, ITERATOR)                                                      \
    class RECORD;                                                                                          \
    KELVORA_SYMBOL_TABLE_ITERATOR(ITERATOR, RECORD);                                                       \
    class TABLE : public AcDbSymbolTable {                                                                 \
    public:                                                                                                \
        ACRX_DECLARE_MEMBERS(TABLE);                                                                       \
        TABLE();                                                                                           \
        KELVORA_SYMBOL_TABLE_MEMBERS(RECORD, ITERATOR);                                                    \
    };                                                                                                     \
    class RECORD : public AcDbSymbolTableRecord {                                                          \
    public:                                                                                                \
        ACRX_DECLARE_MEMBERS(RECORD);                                                                      \
        typedef TABLE TableType;                                                                           \
        RECORD();                                                                                          \
        ~RECORD() override;                                                                                \
        Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;                                      \
        Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;                               \
        Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;                                      \
        Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;                               \
                                                                                                           \
    private:                                                                                               \
        friend class kelvora::ObjectAccess;                                                                \
        resbuf* m_keptGroups = nullptr;                                                                    \
    }

KELVORA_PLAIN_RECORD(AcDbRegAppTableRecord, AcDbRegAppTable, AcDbRegAppTableIterator);
KELVORA_PLAIN_RECORD(AcDbViewTableRecord, AcDbViewTable, AcDbViewTableIterator);
KELVORA_PLAIN_RECORD(AcDbUCSTableRecord, AcDbUCSTable, AcDbUCSTableIterator);
KELVORA_PLAIN_RECORD(AcDbViewportTableRecord, AcDbViewportTable, AcDbViewportTableIterator);
KELVORA_PLAIN_RECORD(AcDbDimStyleTableRecord, AcDbDimStyleTable, AcDbDimStyleTableIterator);
