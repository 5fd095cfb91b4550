// Keeps the module's resources current for the life of a dialog (push on construction, pop at the end).
#pragma once

#include "acadstrc.h"
#include "dbhelpers/uncopyable.h"

class ModuleResourceScope : private Uncopyable {
public:
    ModuleResourceScope();
    ~ModuleResourceScope();
    // Pops early and answers the pop's status; the destructor then does nothing.
    Acad::ErrorStatus pop();

private:
    bool m_pushed = false;
};
