// AcRxObject: the root of every class the host knows at run time (class queries, cast, clone).
#pragma once

#include "acadstrc.h"
#include "rxdefs.h"

class AcRxObject {
public:
    virtual ~AcRxObject();

    // The class object of AcRxObject itself.
    static AcRxClass* desc();
    // Answers inPtr: every object is an AcRxObject.
    static AcRxObject* cast(const AcRxObject* inPtr) { return const_cast<AcRxObject*>(inPtr); }

    // The class object of this object's own class.
    virtual AcRxClass* isA() const;
    // True when this object's class is aClass or derives from it.
    bool isKindOf(const AcRxClass* aClass) const;

    // A new object of the same class holding a copy of this one; null when the class cannot copy.
    virtual AcRxObject* clone() const;
    virtual Acad::ErrorStatus copyFrom(const AcRxObject* other);
    virtual Adesk::Boolean isEqualTo(const AcRxObject* other) const;
    virtual AcRx::Ordering comparedTo(const AcRxObject* other) const;

    // Protocol extension: the object registered for this object's class (or a parent) under that key.
    AcRxObject* queryX(const AcRxClass* protocolClass) const;
    AcRxObject* x(const AcRxClass* protocolClass) const;

protected:
    AcRxObject() = default;
    AcRxObject(const AcRxObject&) = default;
    AcRxObject& operator=(const AcRxObject&) = default;
};
