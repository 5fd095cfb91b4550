// The run-time class system: AcRxObject, AcRxClass, the class dictionary and the system registry.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "kelvora/host_class.h"
#include "kelvora/wide_text.h"
#include "rxclass.h"
#include "rxdict.h"
#include "kelvora/wide_format.h"

// The one place that builds class objects (their constructor is private).
struct AcRxClassAccess {
    static AcRxClass* make() { return new AcRxClass(); }
    static void setParent(AcRxClass* c, AcRxClass* parent) { c->m_parent = parent; }
    static void fill(AcRxClass* c, const ACHAR* name, const ACHAR* parentName, int dwgVer, int maintVer,
                     int proxyFlags, AcRxObject* (*ctor)(), const ACHAR* dxfName, const ACHAR* appName,
                     AppNameChangeFuncPtr func)
    {
        c->m_name = name;
        c->m_parentName = parentName != nullptr ? parentName : L"";
        c->m_dwgVersion = dwgVer;
        c->m_maintenanceVersion = maintVer;
        c->m_proxyFlags = proxyFlags;
        c->m_pseudoConstructor = ctor;
        c->m_dxfName = dxfName != nullptr ? dxfName : L"";
        c->m_appName = appName != nullptr ? appName : L"";
        c->m_appNameCallback = func;
    }
    static void unregister(AcRxClass* c) { c->m_registered = false; }
    static AcRxClass* parentField(const AcRxClass* c) { return c->m_parent; }
};

namespace {

// Every class object ever made. Deleted classes stay here (marked unregistered) so that objects of
// an unloaded application never point to freed memory.
std::vector<std::unique_ptr<AcRxClass>>& allClasses()
{
    static std::vector<std::unique_ptr<AcRxClass>> classes;
    return classes;
}

AcRxDictionary& classDictionary()
{
    static AcRxDictionary dict(false);
    return dict;
}

// The desc() of every host class defined with the host-class macros, in the order their files were
// initialised, and how many of them have been registered.
std::vector<kelvora::HostClassInit>& pendingHostClasses()
{
    static std::vector<kelvora::HostClassInit> list;
    return list;
}
size_t g_registeredHostClasses = 0;
bool g_registering = false;

// Registers the host classes not registered yet. Called before every look-up, so that a class whose
// file was initialised late is found all the same.
void ensureHostClasses()
{
    static bool coreDone = false;
    if (g_registering)
        return;
    if (coreDone && g_registeredHostClasses == pendingHostClasses().size())
        return;
    g_registering = true;
    if (!coreDone) {
        kelvora::registerHostClasses();
        coreDone = true;
    }
    while (g_registeredHostClasses < pendingHostClasses().size())
        pendingHostClasses()[g_registeredHostClasses++]();
    g_registering = false;
}

AcRxClass* lookUp(const ACHAR* name)
{
    if (name == nullptr || *name == L'\0')
        return nullptr;
    return static_cast<AcRxClass*>(classDictionary().at(name));
}

AcRxClass* makeClass(const ACHAR* className, const ACHAR* parentClassName, int dwgVer, int maintVer,
                     int proxyFlags, AcRxObject* (*pseudoConstructor)(), const ACHAR* dxfName,
                     const ACHAR* appName, AppNameChangeFuncPtr func)
{
    if (className == nullptr || *className == L'\0') {
        std::fprintf(stderr, "kelvora: a class cannot be registered without a name\n");
        return nullptr;
    }
    if (AcRxClass* existing = lookUp(className)) {
        std::fprintf(stderr, "kelvora: class %s is already registered\n", kelvora::toUtf8(className).c_str());
        return existing;
    }
    AcRxClass* c = AcRxClassAccess::make();
    allClasses().emplace_back(c);
    AcRxClassAccess::fill(c, className, parentClassName, dwgVer, maintVer, proxyFlags, pseudoConstructor, dxfName,
                          appName, func);
    AcRxClassAccess::setParent(c, lookUp(parentClassName));
    classDictionary().atPut(className, c);
    return c;
}

}  // namespace

// ----- acrx_abort ---------------------------------------------------------------------------------

void acrx_abort(const ACHAR* format, ...)
{
    va_list args;
    va_start(args, format);
    std::wstring text = kelvora::formatPrintfV(format, args);
    va_end(args);
    std::fprintf(stderr, "kelvora: fatal: %s\n", kelvora::toUtf8(text).c_str());
    std::fflush(stderr);
    std::abort();
}

// ----- Host classes -------------------------------------------------------------------------------

namespace kelvora {

HostClassRegistrar::HostClassRegistrar(HostClassInit init)
{
    if (init != nullptr)
        pendingHostClasses().push_back(init);
}

AcRxClass* registerHostClass(const ACHAR* className, AcRxClass* parent, const ACHAR* dxfName,
                             AcRxObject* (*pseudoConstructor)())
{
    AcRxClass* c = makeClass(className, parent != nullptr ? parent->name() : nullptr, 0, 0, 0, pseudoConstructor,
                             dxfName, ACRX_T("ObjectDBX Classes"), nullptr);
    if (c != nullptr && parent != nullptr && c->myParent() == nullptr)
        AcRxClassAccess::setParent(c, parent);
    return c;
}

AcRxClass* findClassByDxfName(const ACHAR* dxfName)
{
    ensureHostClasses();
    if (dxfName == nullptr || *dxfName == L'\0')
        return nullptr;
    for (const auto& c : allClasses())
        if (c->isRegistered() && namesEqual(c->dxfName(), dxfName))
            return c.get();
    return nullptr;
}

}  // namespace kelvora

// ----- AcRxObject ---------------------------------------------------------------------------------

AcRxObject::~AcRxObject() = default;

AcRxClass* AcRxObject::desc()
{
    static AcRxClass* root = kelvora::registerHostClass(ACRX_T("AcRxObject"), nullptr, nullptr, nullptr);
    return root;
}

AcRxClass* AcRxObject::isA() const
{
    return AcRxObject::desc();
}

bool AcRxObject::isKindOf(const AcRxClass* aClass) const
{
    AcRxClass* mine = isA();
    return mine != nullptr && mine->isDerivedFrom(aClass);
}

AcRxObject* AcRxObject::clone() const
{
    return nullptr;
}

Acad::ErrorStatus AcRxObject::copyFrom(const AcRxObject*)
{
    return Acad::eNotApplicable;
}

Adesk::Boolean AcRxObject::isEqualTo(const AcRxObject* other) const
{
    return other == this;
}

AcRx::Ordering AcRxObject::comparedTo(const AcRxObject*) const
{
    return AcRx::kNotOrderable;
}

AcRxObject* AcRxObject::queryX(const AcRxClass* protocolClass) const
{
    for (AcRxClass* c = isA(); c != nullptr; c = c->myParent())
        if (AcRxObject* x = c->getX(protocolClass))
            return x;
    return nullptr;
}

AcRxObject* AcRxObject::x(const AcRxClass* protocolClass) const
{
    return queryX(protocolClass);
}

// ----- AcRxClass ----------------------------------------------------------------------------------

AcRxClass::AcRxClass() = default;
AcRxClass::~AcRxClass() = default;

AcRxClass* AcRxClass::desc()
{
    static AcRxClass* c = kelvora::registerHostClass(ACRX_T("AcRxClass"), AcRxObject::desc(), nullptr, nullptr);
    return c;
}

AcRxClass* AcRxClass::cast(const AcRxObject* inPtr)
{
    return (inPtr == nullptr || !inPtr->isKindOf(AcRxClass::desc()))
               ? nullptr
               : static_cast<AcRxClass*>(const_cast<AcRxObject*>(inPtr));
}

AcRxClass* AcRxClass::isA() const
{
    return AcRxClass::desc();
}

const ACHAR* AcRxClass::name() const
{
    return m_name.c_str();
}

const ACHAR* AcRxClass::appName() const
{
    return m_appName.c_str();
}

const ACHAR* AcRxClass::dxfName() const
{
    return m_dxfName.c_str();
}

const ACHAR* AcRxClass::parentName() const
{
    return m_parentName.c_str();
}

bool AcRxClass::isRegistered() const
{
    return m_registered;
}

AcRxClass* AcRxClass::myParent() const
{
    if (m_parent == nullptr && !m_parentName.empty()) {
        // A parent registered after this class: link it now.
        ensureHostClasses();
        AcRxClass* parent = lookUp(m_parentName.c_str());
        if (parent != nullptr && parent != this)
            const_cast<AcRxClass*>(this)->m_parent = parent;
    }
    return m_parent;
}

bool AcRxClass::isDerivedFrom(const AcRxClass* other) const
{
    if (other == nullptr)
        return false;
    // The chain is short; the bound guards against a cycle made by re-registration.
    int guard = 0;
    // Every cast walks this chain: the parent is read directly once linked.
    for (const AcRxClass* c = this; c != nullptr && guard < 256;
         c = c->m_parent != nullptr ? c->m_parent : c->myParent(), ++guard)
        if (c == other)
            return true;
    return false;
}

AcRxObject* AcRxClass::create()
{
    if (!m_registered || m_pseudoConstructor == nullptr)
        return nullptr;
    return m_pseudoConstructor();
}

int AcRxClass::dwgVersion(int& maintenanceVersion) const
{
    maintenanceVersion = m_maintenanceVersion;
    return m_dwgVersion;
}

int AcRxClass::proxyFlags() const
{
    return m_proxyFlags;
}

AppNameChangeFuncPtr AcRxClass::appNameCallbackPtr() const
{
    return m_appNameCallback;
}

AcRxObject* AcRxClass::addX(AcRxClass* protocolClass, AcRxObject* protocolObject)
{
    AcRxObject* previous = getX(protocolClass);
    m_protocolExtensions[protocolClass] = protocolObject;
    return previous;
}

AcRxObject* AcRxClass::getX(const AcRxClass* protocolClass)
{
    auto it = m_protocolExtensions.find(protocolClass);
    return it != m_protocolExtensions.end() ? it->second : nullptr;
}

AcRxObject* AcRxClass::delX(AcRxClass* protocolClass)
{
    auto it = m_protocolExtensions.find(protocolClass);
    if (it == m_protocolExtensions.end())
        return nullptr;
    AcRxObject* previous = it->second;
    m_protocolExtensions.erase(it);
    return previous;
}

AcRxObject* AcRxClass::queryX(const AcRxClass* protocolClass)
{
    for (AcRxClass* c = this; c != nullptr; c = c->myParent())
        if (AcRxObject* x = c->getX(protocolClass))
            return x;
    return nullptr;
}

// ----- Registration functions ---------------------------------------------------------------------

AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName, int proxyFlags,
                        AcRxObject* (*pseudoConstructor)(), const ACHAR* dxfName, const ACHAR* appName)
{
    ensureHostClasses();
    return makeClass(className, parentClassName, 0, 0, proxyFlags, pseudoConstructor, dxfName, appName, nullptr);
}

AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName, int dwgVer, int maintVer,
                        int proxyFlags, AcRxObject* (*pseudoConstructor)(), const ACHAR* dxfName,
                        const ACHAR* appName, AppNameChangeFuncPtr func)
{
    ensureHostClasses();
    return makeClass(className, parentClassName, dwgVer, maintVer, proxyFlags, pseudoConstructor, dxfName, appName,
                     func);
}

void acrxBuildClassHierarchy()
{
    ensureHostClasses();
    for (const auto& c : allClasses())
        if (c->isRegistered())
            c->myParent();
}

void deleteAcRxClass(AcRxClass* pClassObj)
{
    if (pClassObj == nullptr)
        return;
    if (lookUp(pClassObj->name()) == pClassObj)
        classDictionary().remove(pClassObj->name());
    AcRxClassAccess::unregister(pClassObj);
}

AcRxClass* acrxFindAcRxClass(const ACHAR* className)
{
    ensureHostClasses();
    return lookUp(className);
}

AcRxDictionary* acrxSysRegistry()
{
    static AcRxDictionary registry(false);
    static bool filled = false;
    if (!filled) {
        filled = true;
        registry.atPut(ACRX_CLASS_DICTIONARY, &classDictionary());
    }
    ensureHostClasses();
    return &registry;
}
