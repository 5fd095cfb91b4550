// The boiler-plate macros that give a class its run-time class members (desc, cast, isA, rxInit).
#pragma once

#include "rxclass.h"

// In the class body.
#define ACRX_DECLARE_MEMBERS(CLASS_NAME)                                                   \
    virtual AcRxClass* isA() const;                                                        \
    static AcRxClass* gpDesc;                                                              \
    static AcRxClass* desc();                                                              \
    static CLASS_NAME* cast(const AcRxObject* inPtr)                                       \
    {                                                                                      \
        return ((inPtr == nullptr) || !inPtr->isKindOf(CLASS_NAME::desc()))                \
                   ? nullptr                                                               \
                   : static_cast<CLASS_NAME*>(const_cast<AcRxObject*>(inPtr));             \
    }                                                                                      \
    static void rxInit();                                                                  \
    static void rxInit(AppNameChangeFuncPtr)

// desc() finds the class object in the class dictionary by name (once) and isA() answers it.
#define ACRX_DEFINE_MEMBERS(CLASS_NAME)                                                    \
    AcRxClass* CLASS_NAME::desc()                                                          \
    {                                                                                      \
        if (CLASS_NAME::gpDesc != nullptr)                                                 \
            return CLASS_NAME::gpDesc;                                                     \
        return CLASS_NAME::gpDesc = acrxFindAcRxClass(ACRX_T(#CLASS_NAME));                \
    }                                                                                      \
    AcRxClass* CLASS_NAME::isA() const { return CLASS_NAME::desc(); }                      \
    AcRxClass* CLASS_NAME::gpDesc = nullptr

// A class without a pseudo-constructor (abstract classes).
#define ACRX_NO_CONS_DEFINE_MEMBERS(CLASS_NAME, PARENT_CLASS)                              \
    ACRX_DEFINE_MEMBERS(CLASS_NAME);                                                       \
    void CLASS_NAME::rxInit()                                                              \
    {                                                                                      \
        if (CLASS_NAME::gpDesc != nullptr)                                                 \
            return;                                                                        \
        CLASS_NAME::gpDesc = newAcRxClass(ACRX_T(#CLASS_NAME), ACRX_T(#PARENT_CLASS));     \
    }                                                                                      \
    void CLASS_NAME::rxInit(AppNameChangeFuncPtr)                                          \
    {                                                                                      \
        CLASS_NAME::rxInit();                                                              \
    }

// A class whose pseudo-constructor is its default constructor; VERNO is passed as the proxy flags.
#define ACRX_CONS_DEFINE_MEMBERS(CLASS_NAME, PARENT_CLASS, VERNO)                          \
    ACRX_DEFINE_MEMBERS(CLASS_NAME);                                                       \
    static AcRxObject* make##CLASS_NAME() { return new CLASS_NAME(); }                     \
    void CLASS_NAME::rxInit()                                                              \
    {                                                                                      \
        if (CLASS_NAME::gpDesc != nullptr)                                                 \
            return;                                                                        \
        CLASS_NAME::gpDesc = newAcRxClass(ACRX_T(#CLASS_NAME), ACRX_T(#PARENT_CLASS),      \
                                          VERNO, &make##CLASS_NAME);                       \
    }                                                                                      \
    void CLASS_NAME::rxInit(AppNameChangeFuncPtr)                                          \
    {                                                                                      \
        CLASS_NAME::rxInit();                                                              \
    }

// A database class with its DXF name and application name (both given as bare words).
#define ACRX_DXF_DEFINE_MEMBERS(CLASS_NAME, PARENT_CLASS, DWG_VERSION, MAINTENANCE_VERSION, \
                                PROXY_FLAGS, DXF_NAME, APP)                                \
    ACRX_DEFINE_MEMBERS(CLASS_NAME);                                                       \
    static AcRxObject* make##CLASS_NAME() { return new CLASS_NAME(); }                     \
    void CLASS_NAME::rxInit()                                                              \
    {                                                                                      \
        if (CLASS_NAME::gpDesc != nullptr)                                                 \
            return;                                                                        \
        CLASS_NAME::gpDesc = newAcRxClass(ACRX_T(#CLASS_NAME), ACRX_T(#PARENT_CLASS),      \
                                          DWG_VERSION, MAINTENANCE_VERSION, PROXY_FLAGS,   \
                                          &make##CLASS_NAME, ACRX_T(#DXF_NAME),            \
                                          ACRX_T(#APP));                                   \
    }                                                                                      \
    void CLASS_NAME::rxInit(AppNameChangeFuncPtr ptr)                                      \
    {                                                                                      \
        if (CLASS_NAME::gpDesc != nullptr)                                                 \
            return;                                                                        \
        CLASS_NAME::gpDesc = newAcRxClass(ACRX_T(#CLASS_NAME), ACRX_T(#PARENT_CLASS),      \
                                          DWG_VERSION, MAINTENANCE_VERSION, PROXY_FLAGS,   \
                                          &make##CLASS_NAME, ACRX_T(#DXF_NAME),            \
                                          ACRX_T(#APP), ptr);                              \
    }
