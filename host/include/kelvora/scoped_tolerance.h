// ScopedTolerance: sets AcGeContext::gTol for a scope and restores the previous value on every exit.
#pragma once

#include "gegbl.h"

namespace kelvora {

class ScopedTolerance {
public:
    explicit ScopedTolerance(const AcGeTol& tol) : m_saved(AcGeContext::gTol) { AcGeContext::gTol = tol; }
    ~ScopedTolerance() { AcGeContext::gTol = m_saved; }
    ScopedTolerance(const ScopedTolerance&) = delete;
    ScopedTolerance& operator=(const ScopedTolerance&) = delete;

private:
    AcGeTol m_saved;
};

}  // namespace kelvora
