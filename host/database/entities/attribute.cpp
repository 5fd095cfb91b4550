// AcDbAttributeDefinition and AcDbAttribute: texts with a tag (and a prompt), flags and field length.
#include <cwctype>

#include "dbents.h"
#include "entity_util.h"
#include "kelvora/host_class.h"
#include "kelvora/wide_text.h"

KELVORA_HOST_DEFINE_MEMBERS(AcDbAttributeDefinition, AcDbText, L"ATTDEF");
KELVORA_HOST_DEFINE_MEMBERS(AcDbAttribute, AcDbText, L"ATTRIB");

namespace {

constexpr Adesk::UInt16 kInvisible = 1;
constexpr Adesk::UInt16 kConstant = 2;
constexpr Adesk::UInt16 kVerifiable = 4;
constexpr Adesk::UInt16 kPreset = 8;

// A tag is one word: no blank inside.
bool validTag(const ACHAR* tag)
{
    if (tag == nullptr || tag[0] == L'\0')
        return false;
    for (const ACHAR* p = tag; *p != L'\0'; ++p)
        if (std::iswspace(static_cast<wint_t>(*p)))
            return false;
    return true;
}

void setFlag(Adesk::UInt16& flags, Adesk::UInt16 bit, bool on)
{
    flags = static_cast<Adesk::UInt16>(on ? (flags | bit) : (flags & ~bit));
}

// The groups that follow the text's own in an ATTDEF or ATTRIB.
struct AttributeFields {
    std::wstring tag;
    std::wstring prompt;
    Adesk::UInt16 flags = 0;
    Adesk::UInt16 fieldLength = 0;
    bool lockPosition = false;
};

// Reads a DXF attribute: the entity's groups were read; text and attribute groups come mixed in R12
// files, in two subclasses from R13 on.
template <class ReadText>
Acad::ErrorStatus readAttributeGroups(AcDbDxfFiler* pFiler, const ACHAR* subclass, bool withPrompt,
                                      AttributeFields& fields, bool& alignmentGiven, ReadText readText)
{
    return kelvora::readDxfGroups(pFiler, [&](kelvora::DxfGroup& g) {
        switch (g.code()) {
        case 100: {
            std::wstring name = g.subclassName();
            return name == L"AcDbText" || name == subclass ? kelvora::GroupUse::kTaken : kelvora::GroupUse::kNotMine;
        }
        case 2:
            fields.tag = g.text();
            return kelvora::GroupUse::kTaken;
        case 3:
            if (!withPrompt)
                return kelvora::GroupUse::kNotMine;
            fields.prompt = g.text();
            return kelvora::GroupUse::kTaken;
        case 70:
            fields.flags = static_cast<Adesk::UInt16>(g.integer());
            return kelvora::GroupUse::kTaken;
        case 73:
            fields.fieldLength = static_cast<Adesk::UInt16>(g.integer());
            return kelvora::GroupUse::kTaken;
        case 280:
            // The version (0) comes first from R2010 on, the lock flag last: the last one holds.
            fields.lockPosition = g.integer() != 0;
            return kelvora::GroupUse::kTaken;
        case 11:
            alignmentGiven = true;
            [[fallthrough]];
        default:
            return readText(g) ? kelvora::GroupUse::kTaken : kelvora::GroupUse::kNotMine;
        }
    });
}

Acad::ErrorStatus writeAttributeTail(AcDbDxfFiler* pFiler, const AttributeFields& fields, AcDb::TextVertMode vert,
                                     bool withPrompt)
{
    const bool defaults = pFiler->includesDefaultValues();
    // From R2010 the subclass opens with its version (0); readers take the first 280 for it and
    // only a second one for the lock flag.
    AcDb::AcDbDwgVersion version = AcDb::kDHL_CURRENT;
    AcDb::MaintenanceReleaseVersion maintenance = AcDb::kMReleaseCurrent;
    if (pFiler->dwgVersion(version, maintenance) == Acad::eOk && version >= AcDb::kDHL_1024)
        pFiler->writeInt16(AcDb::kDxfInt8, 0);  // 280
    if (withPrompt)
        pFiler->writeString(AcDb::kDxfAttributePrompt, fields.prompt.c_str());
    pFiler->writeString(AcDb::kDxfAttributeTag, fields.tag.c_str());
    pFiler->writeInt16(AcDb::kDxfInt16, static_cast<Adesk::Int16>(fields.flags));
    if (defaults || fields.fieldLength != 0)
        pFiler->writeInt16(AcDb::kDxfViewportZoom, static_cast<Adesk::Int16>(fields.fieldLength));  // 73
    if (defaults || vert != AcDb::kTextBase)
        pFiler->writeInt16(AcDb::kDxfViewportIcon, static_cast<Adesk::Int16>(vert));  // 74
    if (defaults || fields.lockPosition)
        pFiler->writeInt16(AcDb::kDxfInt8, fields.lockPosition ? 1 : 0);  // 280
    return pFiler->filerStatus();
}

Acad::ErrorStatus writeAttributeDwg(AcDbDwgFiler* pFiler, const std::wstring& tag, const std::wstring* prompt,
                                    Adesk::UInt16 flags, Adesk::UInt16 fieldLength, bool lock)
{
    pFiler->writeString(tag.c_str());
    if (prompt != nullptr)
        pFiler->writeString(prompt->c_str());
    pFiler->writeUInt16(flags);
    pFiler->writeUInt16(fieldLength);
    pFiler->writeBoolean(lock);
    return pFiler->filerStatus();
}

Acad::ErrorStatus readAttributeDwg(AcDbDwgFiler* pFiler, std::wstring& tag, std::wstring* prompt,
                                   Adesk::UInt16& flags, Adesk::UInt16& fieldLength, bool& lock)
{
    ACHAR* text = nullptr;
    Acad::ErrorStatus es = pFiler->readString(&text);
    if (es != Acad::eOk)
        return es;
    std::wstring readTag = text != nullptr ? text : L"";
    delete[] text;
    std::wstring readPrompt;
    if (prompt != nullptr) {
        text = nullptr;
        if ((es = pFiler->readString(&text)) != Acad::eOk)
            return es;
        readPrompt = text != nullptr ? text : L"";
        delete[] text;
    }
    Adesk::UInt16 f = 0;
    Adesk::UInt16 len = 0;
    Adesk::Boolean locked = false;
    if ((es = pFiler->readUInt16(&f)) != Acad::eOk || (es = pFiler->readUInt16(&len)) != Acad::eOk ||
        (es = pFiler->readBoolean(&locked)) != Acad::eOk)
        return es;
    tag = readTag;
    if (prompt != nullptr)
        *prompt = readPrompt;
    flags = f;
    fieldLength = len;
    lock = locked;
    return Acad::eOk;
}

}  // namespace

// ----- AcDbAttributeDefinition -----------------------------------------------------------------------

AcDbAttributeDefinition::AcDbAttributeDefinition() = default;

AcDbAttributeDefinition::AcDbAttributeDefinition(const AcGePoint3d& position, const ACHAR* text, const ACHAR* tag,
                                                 const ACHAR* prompt, AcDbObjectId style)
    : AcDbText(position, text, style), m_tag(tag != nullptr ? tag : L""), m_prompt(prompt != nullptr ? prompt : L"")
{
}

AcDbAttributeDefinition::~AcDbAttributeDefinition() = default;

ACHAR* AcDbAttributeDefinition::prompt() const
{
    assertReadEnabled();
    return kelvora::newWideString(m_prompt);
}

const ACHAR* AcDbAttributeDefinition::promptConst() const
{
    assertReadEnabled();
    return m_prompt.c_str();
}

Acad::ErrorStatus AcDbAttributeDefinition::setPrompt(const ACHAR* prompt)
{
    if (prompt == nullptr)
        return Acad::eNullObjectPointer;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_prompt = prompt;
    return Acad::eOk;
}

ACHAR* AcDbAttributeDefinition::tag() const
{
    assertReadEnabled();
    return kelvora::newWideString(m_tag);
}

const ACHAR* AcDbAttributeDefinition::tagConst() const
{
    assertReadEnabled();
    return m_tag.c_str();
}

Acad::ErrorStatus AcDbAttributeDefinition::setTag(const ACHAR* tag)
{
    if (!validTag(tag))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_tag = tag;
    return Acad::eOk;
}

#define KELVORA_ATTDEF_FLAG(GETTER, SETTER, BIT)                                                           \
    Adesk::Boolean AcDbAttributeDefinition::GETTER() const                                                 \
    {                                                                                                      \
        assertReadEnabled();                                                                               \
        return (m_flags & BIT) != 0;                                                                       \
    }                                                                                                      \
    Acad::ErrorStatus AcDbAttributeDefinition::SETTER(Adesk::Boolean value)                                \
    {                                                                                                      \
        if (!kelvora::beginWrite(this))                                                                    \
            return Acad::eNotOpenForWrite;                                                                 \
        setFlag(m_flags, BIT, value);                                                                      \
        return Acad::eOk;                                                                                  \
    }

KELVORA_ATTDEF_FLAG(isInvisible, setInvisible, kInvisible)
KELVORA_ATTDEF_FLAG(isConstant, setConstant, kConstant)
KELVORA_ATTDEF_FLAG(isVerifiable, setVerifiable, kVerifiable)
KELVORA_ATTDEF_FLAG(isPreset, setPreset, kPreset)

Adesk::UInt16 AcDbAttributeDefinition::fieldLength() const
{
    assertReadEnabled();
    return m_fieldLength;
}

Acad::ErrorStatus AcDbAttributeDefinition::setFieldLength(Adesk::UInt16 length)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_fieldLength = length;
    return Acad::eOk;
}

bool AcDbAttributeDefinition::lockPositionInBlock() const
{
    assertReadEnabled();
    return m_lockPosition;
}

Acad::ErrorStatus AcDbAttributeDefinition::setLockPositionInBlock(bool lock)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_lockPosition = lock;
    return Acad::eOk;
}

Adesk::Boolean AcDbAttributeDefinition::worldDraw(AcGiWorldDraw* mode)
{
    assertReadEnabled();
    return drawString(mode, m_tag);
}

Acad::ErrorStatus AcDbAttributeDefinition::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbText::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    return writeAttributeDwg(pFiler, m_tag, &m_prompt, m_flags, m_fieldLength, m_lockPosition);
}

Acad::ErrorStatus AcDbAttributeDefinition::dwgInFields(AcDbDwgFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbText::dwgInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    return readAttributeDwg(pFiler, m_tag, &m_prompt, m_flags, m_fieldLength, m_lockPosition);
}

Acad::ErrorStatus AcDbAttributeDefinition::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    if ((es = dxfOutTextFields(pFiler, false)) != Acad::eOk)
        return es;
    pFiler->writeString(AcDb::kDxfSubclass, L"AcDbAttributeDefinition");
    AttributeFields fields{m_tag, m_prompt, m_flags, m_fieldLength, m_lockPosition};
    return writeAttributeTail(pFiler, fields, verticalMode(), true);
}

Acad::ErrorStatus AcDbAttributeDefinition::dxfInFields(AcDbDxfFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    kelvora::skipSubclassMarker(pFiler, L"AcDbText");
    AttributeFields fields;
    bool alignmentGiven = false;
    es = readAttributeGroups(pFiler, L"AcDbAttributeDefinition", true, fields, alignmentGiven,
                             [&](kelvora::DxfGroup& g) { return readTextGroup(g.value(), pFiler, false); });
    if (es != Acad::eOk)
        return es;
    finishDxfRead(pFiler, alignmentGiven);
    m_tag = fields.tag;
    m_prompt = fields.prompt;
    m_flags = fields.flags;
    m_fieldLength = fields.fieldLength;
    m_lockPosition = fields.lockPosition;
    return Acad::eOk;
}

// ----- AcDbAttribute ---------------------------------------------------------------------------------

AcDbAttribute::AcDbAttribute() = default;

AcDbAttribute::AcDbAttribute(const AcGePoint3d& position, const ACHAR* text, const ACHAR* tag, AcDbObjectId style)
    : AcDbText(position, text, style), m_tag(tag != nullptr ? tag : L"")
{
}

AcDbAttribute::~AcDbAttribute() = default;

ACHAR* AcDbAttribute::tag() const
{
    assertReadEnabled();
    return kelvora::newWideString(m_tag);
}

const ACHAR* AcDbAttribute::tagConst() const
{
    assertReadEnabled();
    return m_tag.c_str();
}

Acad::ErrorStatus AcDbAttribute::setTag(const ACHAR* tag)
{
    if (!validTag(tag))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_tag = tag;
    return Acad::eOk;
}

Adesk::Boolean AcDbAttribute::isInvisible() const
{
    assertReadEnabled();
    return (m_flags & kInvisible) != 0;
}

Acad::ErrorStatus AcDbAttribute::setInvisible(Adesk::Boolean value)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    setFlag(m_flags, kInvisible, value);
    return Acad::eOk;
}

Adesk::Boolean AcDbAttribute::isConstant() const
{
    assertReadEnabled();
    return (m_flags & kConstant) != 0;
}

Adesk::Boolean AcDbAttribute::isVerifiable() const
{
    assertReadEnabled();
    return (m_flags & kVerifiable) != 0;
}

Adesk::Boolean AcDbAttribute::isPreset() const
{
    assertReadEnabled();
    return (m_flags & kPreset) != 0;
}

Adesk::UInt16 AcDbAttribute::fieldLength() const
{
    assertReadEnabled();
    return m_fieldLength;
}

Acad::ErrorStatus AcDbAttribute::setFieldLength(Adesk::UInt16 length)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_fieldLength = length;
    return Acad::eOk;
}

bool AcDbAttribute::lockPositionInBlock() const
{
    assertReadEnabled();
    return m_lockPosition;
}

Acad::ErrorStatus AcDbAttribute::setAttributeFromBlock(const AcGeMatrix3d& blkXform)
{
    return transformBy(blkXform);
}

Acad::ErrorStatus AcDbAttribute::setAttributeFromBlock(const AcDbAttributeDefinition* pAttdef,
                                                       const AcGeMatrix3d& blkXform)
{
    if (pAttdef == nullptr)
        return Acad::eNullObjectPointer;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    setPropertiesFrom(pAttdef);
    setTextString(pAttdef->textStringConst());
    setTextStyle(pAttdef->textStyle());
    setHeight(pAttdef->height() > 0.0 ? pAttdef->height() : 1.0);
    setWidthFactor(pAttdef->widthFactor());
    setOblique(pAttdef->oblique());
    setRotation(pAttdef->rotation());
    setNormal(pAttdef->normal());
    setThickness(pAttdef->thickness());
    setHorizontalMode(pAttdef->horizontalMode());
    setVerticalMode(pAttdef->verticalMode());
    mirrorInX(pAttdef->isMirroredInX());
    mirrorInY(pAttdef->isMirroredInY());
    // The definition's own points, not the placed position its alignment gives.
    setAlignmentPoint(pAttdef->alignmentPoint());
    setPosition(pAttdef->isDefaultAlignment() ? pAttdef->position() : pAttdef->alignmentPoint());
    m_tag = pAttdef->tagConst();
    m_flags = static_cast<Adesk::UInt16>((pAttdef->isInvisible() ? kInvisible : 0) |
                                         (pAttdef->isConstant() ? kConstant : 0) |
                                         (pAttdef->isVerifiable() ? kVerifiable : 0) |
                                         (pAttdef->isPreset() ? kPreset : 0));
    m_fieldLength = pAttdef->fieldLength();
    m_lockPosition = pAttdef->lockPositionInBlock();
    return transformBy(blkXform);
}

Adesk::Boolean AcDbAttribute::worldDraw(AcGiWorldDraw* mode)
{
    assertReadEnabled();
    if ((m_flags & kInvisible) != 0)
        return Adesk::kTrue;
    return AcDbText::worldDraw(mode);
}

Acad::ErrorStatus AcDbAttribute::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbText::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    return writeAttributeDwg(pFiler, m_tag, nullptr, m_flags, m_fieldLength, m_lockPosition);
}

Acad::ErrorStatus AcDbAttribute::dwgInFields(AcDbDwgFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbText::dwgInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    return readAttributeDwg(pFiler, m_tag, nullptr, m_flags, m_fieldLength, m_lockPosition);
}

Acad::ErrorStatus AcDbAttribute::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    if ((es = dxfOutTextFields(pFiler, false)) != Acad::eOk)
        return es;
    pFiler->writeString(AcDb::kDxfSubclass, L"AcDbAttribute");
    AttributeFields fields{m_tag, L"", m_flags, m_fieldLength, m_lockPosition};
    return writeAttributeTail(pFiler, fields, verticalMode(), false);
}

Acad::ErrorStatus AcDbAttribute::dxfInFields(AcDbDxfFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    kelvora::skipSubclassMarker(pFiler, L"AcDbText");
    AttributeFields fields;
    bool alignmentGiven = false;
    es = readAttributeGroups(pFiler, L"AcDbAttribute", false, fields, alignmentGiven,
                             [&](kelvora::DxfGroup& g) { return readTextGroup(g.value(), pFiler, false); });
    if (es != Acad::eOk)
        return es;
    finishDxfRead(pFiler, alignmentGiven);
    m_tag = fields.tag;
    m_flags = fields.flags;
    m_fieldLength = fields.fieldLength;
    m_lockPosition = fields.lockPosition;
    return Acad::eOk;
}
