// Basic definitions of the run-time class system: application messages, dictionary kinds, fatal stop.
#pragma once

#include "AdAChar.h"
#include "adesk.h"

class AcRxClass;
class AcRxObject;
class AcRxDictionary;

// Names of the entries of the system registry (acrxSysRegistry()).
#define ACRX_CLASS_DICTIONARY ACRX_T("ClassDictionary")
#define ACRX_SERVICE_DICTIONARY ACRX_T("ServiceDictionary")

struct AcRx {
    // Messages the host sends to an application's acrxEntryPoint.
    enum AppMsgCode {
        kNullMsg = 0,
        kInitAppMsg = 1,
        kUnloadAppMsg = 2,
        kLoadDwgMsg = 3,
        kUnloadDwgMsg = 4,
        kInvkSubrMsg = 5,
        kCfgMsg = 6,
        kEndMsg = 7,
        kQuitMsg = 8,
        kSaveMsg = 9,
        kDependencyMsg = 10,
        kNoDependencyMsg = 11,
        kOleUnloadAppMsg = 12,
        kPreQuitMsg = 13,
        kInitDialogMsg = 14,
        kEndDialogMsg = 15,
        kSuspendMsg = 16,
        kInitTabGroupMsg = 17,
        kEndTabGroupMsg = 18,
    };
    enum AppRetCode {
        kRetOK = 0,
        kRetError = 3,
    };
    // Order of an AcRxDictionary iterator: by key, or by the order of insertion.
    enum DictIterType {
        kDictSorted = 0,
        kDictCollated = 1,
    };
    enum Ordering {
        kLessThan = -1,
        kEqual = 0,
        kGreaterThan = 1,
        kNotOrderable = 2,
    };
};

// Stops the host after a fatal configuration error: the formatted message goes to standard error.
[[noreturn]] void acrx_abort(const ACHAR* format, ...);
