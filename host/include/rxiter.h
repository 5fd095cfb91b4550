// Iterators of the run-time class system: AcRxIterator and the dictionary iterator.
#pragma once

#include "rxobject.h"

class AcRxIterator : public AcRxObject {
public:
    ~AcRxIterator() override = default;
    virtual bool done() const = 0;
    virtual bool next() = 0;
    virtual AcRxObject* object() const = 0;
};

class AcRxDictionaryIterator : public AcRxIterator {
public:
    virtual const ACHAR* key() const = 0;
    virtual Adesk::UInt32 id() const = 0;
};
