// Registration of the module's custom entity classes with the host's run-time class system.
#pragma once

#include "rxclass.h"

namespace kelvora::app {

// Registers one class unless the class dictionary already holds its stored descriptor; a different
// class under the same name stops the host ("Class mismatch"). Answers the descriptor to keep.
AcRxClass* initClass(AcRxClass* stored, const ACHAR* className, int proxyFlags, AcRxObject* (*pseudoConstructor)(),
                     const ACHAR* dxfName);

// Registers the module's classes and links the hierarchy.
void registerClasses();
// Deletes them again, in registration order.
void unregisterClasses();

}  // namespace kelvora::app
