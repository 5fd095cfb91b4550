// AcDbObjectPointer: a scoped holder that opens a database object and closes it on every path.
#pragma once

#include "dbmain.h"

template <class T_OBJECT>
class AcDbObjectPointer {
public:
    AcDbObjectPointer() = default;
    AcDbObjectPointer(AcDbObjectId id, AcDb::OpenMode mode = AcDb::kForRead, bool openErased = false)
    {
        m_status = acdbOpenObject(m_object, id, mode, openErased);
    }
    ~AcDbObjectPointer() { close(); }
    AcDbObjectPointer(const AcDbObjectPointer&) = delete;
    AcDbObjectPointer& operator=(const AcDbObjectPointer&) = delete;

    Acad::ErrorStatus open(AcDbObjectId id, AcDb::OpenMode mode = AcDb::kForRead, bool openErased = false)
    {
        close();
        m_status = acdbOpenObject(m_object, id, mode, openErased);
        return m_status;
    }
    // Closes the object now (a held object of no database is deleted instead).
    Acad::ErrorStatus close()
    {
        Acad::ErrorStatus es = Acad::eOk;
        if (m_object != nullptr) {
            if (m_object->objectId().isNull())
                delete m_object;
            else
                es = m_object->close();
        }
        m_object = nullptr;
        m_status = Acad::eNullObjectPointer;
        return es;
    }
    // Takes a new object (not in a database) into the holder.
    Acad::ErrorStatus create()
    {
        close();
        m_object = new T_OBJECT();
        m_status = Acad::eOk;
        return m_status;
    }
    // Gives the held object up without closing it.
    Acad::ErrorStatus release(T_OBJECT*& pObj)
    {
        pObj = m_object;
        m_object = nullptr;
        m_status = Acad::eNullObjectPointer;
        return Acad::eOk;
    }
    Acad::ErrorStatus acquire(T_OBJECT*& pObj)
    {
        close();
        m_object = pObj;
        pObj = nullptr;
        m_status = m_object != nullptr ? Acad::eOk : Acad::eNullObjectPointer;
        return m_status;
    }

    Acad::ErrorStatus openStatus() const { return m_status; }
    T_OBJECT* object() const { return m_object; }
    T_OBJECT* operator->() const { return m_object; }
    operator T_OBJECT*() const { return m_object; }  // NOLINT

private:
    T_OBJECT* m_object = nullptr;
    Acad::ErrorStatus m_status = Acad::eNullObjectPointer;
};

typedef AcDbObjectPointer<AcDbEntity> AcDbEntityPointer;
