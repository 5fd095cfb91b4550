// Header variables of drawing files: those the database models go to it and come from it; the rest are kept.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "kelvora/dxf_diagnostics.h"
#include "kelvora/dxf_raw.h"

class AcDbDatabase;

namespace kelvora {

// Sets the database's header from the variables it models ($TEXTSIZE, $CLAYER, $LUPREC, ...). A value
// the database refuses, or a name that is no record of its table, keeps the database's value, with a
// warning. $HANDSEED is the reader's (the database's seed only grows).
void applyHeaderVariables(const std::vector<DxfHeaderVariable>& header, AcDbDatabase& db, DxfDiagnostics& diagnostics);

// True for a variable the database models or the writer makes ($ACADVER, $HANDSEED ...).
bool isModelledHeaderVariable(std::string_view name);

// The HEADER of a file of `acadVer`: the variables `read` held, in their order (the modelled ones
// with the database's values, those that no longer exist from R13 on left out), then the modelled
// and required variables that were missing. $ACADVER first, $HANDSEED above every handle.
std::vector<DxfHeaderVariable> buildHeaderVariables(const AcDbDatabase& db, const std::vector<DxfHeaderVariable>& read,
                                                    std::string_view acadVer);

}  // namespace kelvora
