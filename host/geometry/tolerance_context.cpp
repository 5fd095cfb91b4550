// The global AcGe context: the default tolerance and the hooks the host API exposes.
#include "gegbl.h"
#include "gevec3d.h"

namespace {

void noError() {}

void arbitraryOrtho(const AcGeVector3d& vec, AcGeVector3d& ortho) { ortho = vec.perpVector(); }

}  // namespace

AcGeTol AcGeContext::gTol;
void (*AcGeContext::gErrorFunc)() = noError;
void (*AcGeContext::gOrthoVector)(const AcGeVector3d&, AcGeVector3d&) = arbitraryOrtho;
