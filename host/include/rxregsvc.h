// Registration services for applications: MDI awareness and the unlock of an application.
#pragma once

#include "rxdefs.h"

// The application packet is the value the host passed to acrxEntryPoint. These record the
// application's capability; the host runs one document at a time, so they change nothing else.
bool acrxRegisterAppMDIAware(void* appId);
bool acrxRegisterAppNotMDIAware(void* appId);
bool acrxUnlockApplication(void* appId);
bool acrxLockApplication(void* appId);
bool acrxApplicationIsLocked(const ACHAR* modulename);
// Host-own: whether the packet was registered MDI-aware.
bool acrxIsAppMDIAware(void* appId);
