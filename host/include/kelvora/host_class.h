// Registration of the host's own classes: each registers itself (parents first) the first time its desc() is asked for.
#pragma once

#include "rxboiler.h"

namespace kelvora {

// Registers a host class (application "ObjectDBX Classes", DWG version 0) under its C++ name.
AcRxClass* registerHostClass(const ACHAR* className, AcRxClass* parent, const ACHAR* dxfName,
                             AcRxObject* (*pseudoConstructor)());

// Registers every class of the host (before the class dictionary is first used, so that classes are
// found by name or DXF name): the core classes listed in host/database/host_classes.cpp, and every
// class defined with the macros below (each registers its desc() when its file is loaded).
void registerHostClasses();

// A class defined with the macros below puts its desc() on the list of classes to register.
using HostClassInit = AcRxClass* (*)();
class HostClassRegistrar {
public:
    explicit HostClassRegistrar(HostClassInit init);
};

// The registered class whose DXF name is dxfName (case-insensitive); null when none.
AcRxClass* findClassByDxfName(const ACHAR* dxfName);

}  // namespace kelvora

// In the .cpp of a host class, instead of ACRX_DXF_DEFINE_MEMBERS. DXF_NAME is a wide string literal
// or nullptr (abstract classes and classes without a DXF record).
#define KELVORA_HOST_CLASS_MEMBERS(CLASS_NAME, PARENT_CLASS, DXF_NAME, MAKER)                              \
    AcRxClass* CLASS_NAME::gpDesc = nullptr;                                                               \
    AcRxClass* CLASS_NAME::desc()                                                                          \
    {                                                                                                      \
        if (CLASS_NAME::gpDesc == nullptr)                                                                 \
            CLASS_NAME::gpDesc =                                                                           \
                ::kelvora::registerHostClass(ACRX_T(#CLASS_NAME), PARENT_CLASS::desc(), DXF_NAME, MAKER);  \
        return CLASS_NAME::gpDesc;                                                                         \
    }                                                                                                      \
    AcRxClass* CLASS_NAME::isA() const { return CLASS_NAME::desc(); }                                      \
    void CLASS_NAME::rxInit() { CLASS_NAME::desc(); }                                                      \
    void CLASS_NAME::rxInit(AppNameChangeFuncPtr) { CLASS_NAME::desc(); }                                  \
    static const ::kelvora::HostClassRegistrar kelvoraRegistrar##CLASS_NAME(&CLASS_NAME::desc);

#define KELVORA_HOST_DEFINE_MEMBERS(CLASS_NAME, PARENT_CLASS, DXF_NAME)                                    \
    static AcRxObject* kelvoraMake##CLASS_NAME() { return new CLASS_NAME(); }                              \
    KELVORA_HOST_CLASS_MEMBERS(CLASS_NAME, PARENT_CLASS, DXF_NAME, &kelvoraMake##CLASS_NAME)

#define KELVORA_HOST_NO_CONS_DEFINE_MEMBERS(CLASS_NAME, PARENT_CLASS, DXF_NAME)                            \
    KELVORA_HOST_CLASS_MEMBERS(CLASS_NAME, PARENT_CLASS, DXF_NAME, nullptr)
