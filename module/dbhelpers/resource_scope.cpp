// The module's resource handle on the document manager's resource stack.
#include "dbhelpers/resource_scope.h"

#include "acapdmgr.h"
#include "app/module_instance.h"

ModuleResourceScope::ModuleResourceScope()
{
    if (acDocManager != nullptr) {
        acDocManager->pushResourceHandle(kelvora::app::moduleInstance());
        m_pushed = true;
    }
}

ModuleResourceScope::~ModuleResourceScope() { pop(); }

Acad::ErrorStatus ModuleResourceScope::pop()
{
    if (!m_pushed)
        return Acad::eOk;
    m_pushed = false;
    return acDocManager->popResourceHandle();
}
