// Registration services for applications: the MDI-aware and locked states of loaded applications.
#include <set>
#include <string>

#include "rxregsvc.h"

namespace {

std::set<void*>& mdiAwareApps()
{
    static std::set<void*> apps;
    return apps;
}

std::set<void*>& lockedApps()
{
    static std::set<void*> apps;
    return apps;
}

}  // namespace

bool acrxRegisterAppMDIAware(void* appId)
{
    if (appId == nullptr)
        return false;
    mdiAwareApps().insert(appId);
    return true;
}

bool acrxRegisterAppNotMDIAware(void* appId)
{
    if (appId == nullptr)
        return false;
    mdiAwareApps().erase(appId);
    return true;
}

bool acrxIsAppMDIAware(void* appId)
{
    return mdiAwareApps().count(appId) != 0;
}

bool acrxUnlockApplication(void* appId)
{
    if (appId == nullptr)
        return false;
    lockedApps().erase(appId);
    return true;
}

bool acrxLockApplication(void* appId)
{
    if (appId == nullptr)
        return false;
    lockedApps().insert(appId);
    return true;
}

bool acrxApplicationIsLocked(const ACHAR*)
{
    // Applications are known by their packet, not by name, to this layer; the editor that loads them
    // keeps the names.
    return false;
}
