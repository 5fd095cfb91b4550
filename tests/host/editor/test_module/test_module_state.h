// What the test module records of the host's calls, read by the tests through its kvTestState().
#pragma once

#include "kelvora/win32.h"

struct KvTestModuleState {
    int attaches = 0;
    int detaches = 0;
    int initMessages = 0;
    int unloadMessages = 0;
    int commandRuns = 0;
    HINSTANCE resources = nullptr;
    bool addedTemplate = false;
};
