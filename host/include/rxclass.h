// AcRxClass: the run-time description of a class (name, parent, DXF name, proxy flags, constructor).
#pragma once

#include <map>
#include <memory>
#include <string>

#include "rxobject.h"

// Called when a drawing is saved, so that an application may give its class another application name.
typedef void (*AppNameChangeFuncPtr)(const AcRxClass* classObj, ACHAR*& newAppName, int saveVer);

class AcRxClass : public AcRxObject {
public:
    static AcRxClass* desc();
    static AcRxClass* cast(const AcRxObject* inPtr);
    AcRxClass* isA() const override;

    ~AcRxClass() override;

    const ACHAR* name() const;
    const ACHAR* appName() const;
    const ACHAR* dxfName() const;
    // The parent class; null for AcRxObject and for a class whose parent is not registered yet
    // (acrxBuildClassHierarchy resolves it once the parent exists).
    AcRxClass* myParent() const;
    bool isDerivedFrom(const AcRxClass* other) const;

    // A new object made by the pseudo-constructor; null when the class has none (or was deleted).
    AcRxObject* create();

    // The DWG version and maintenance version given at registration.
    int dwgVersion(int& maintenanceVersion) const;
    int proxyFlags() const;
    AppNameChangeFuncPtr appNameCallbackPtr() const;

    // Protocol extension objects, keyed by their class.
    AcRxObject* addX(AcRxClass* protocolClass, AcRxObject* protocolObject);
    AcRxObject* getX(const AcRxClass* protocolClass);
    AcRxObject* delX(AcRxClass* protocolClass);
    AcRxObject* queryX(const AcRxClass* protocolClass);

    // Host-own: the parent's name as registered (resolved into myParent() when possible).
    const ACHAR* parentName() const;
    // Host-own: false once deleteAcRxClass has removed the class (objects may still point to it).
    bool isRegistered() const;

private:
    friend struct AcRxClassAccess;
    AcRxClass();
    std::wstring m_name;
    std::wstring m_parentName;
    std::wstring m_dxfName;
    std::wstring m_appName;
    AcRxClass* m_parent = nullptr;
    AcRxObject* (*m_pseudoConstructor)() = nullptr;
    AppNameChangeFuncPtr m_appNameCallback = nullptr;
    int m_dwgVersion = 0;
    int m_maintenanceVersion = 0;
    int m_proxyFlags = 0;
    bool m_registered = true;
    std::map<const AcRxClass*, AcRxObject*> m_protocolExtensions;
};

// Registers a class in the class dictionary. The parent is named; it may be registered later, in which
// case acrxBuildClassHierarchy links it. A name the dictionary already holds answers the existing class
// (with a diagnostic on standard error) and registers nothing.
AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName, int proxyFlags = 0,
                        AcRxObject* (*pseudoConstructor)() = nullptr, const ACHAR* dxfName = nullptr,
                        const ACHAR* appName = nullptr);
AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName, int dwgVer, int maintVer,
                        int proxyFlags = 0, AcRxObject* (*pseudoConstructor)() = nullptr,
                        const ACHAR* dxfName = nullptr, const ACHAR* appName = nullptr,
                        AppNameChangeFuncPtr func = nullptr);

// Links every registered class to its parent by name.
void acrxBuildClassHierarchy();

// Removes the class from the class dictionary. The class object itself stays readable until the
// process ends (objects of the class may still answer it from isA()), but create() answers null.
void deleteAcRxClass(AcRxClass* pClassObj);

// Looks a class up in the class dictionary by its C++ name; null when absent.
AcRxClass* acrxFindAcRxClass(const ACHAR* className);
