// The polyline tools: spline conversion, optimisation, vertex and arc edits, and flattening.
#pragma once

namespace kelvora::tools {

void commandSplToPline();
void commandMSplToPline();
void commandOptimizePol();
void commandInverserPolyline();
void commandEnleverArc();
void commandMettreUnArc();
void commandSuppSommet();
void commandPolOrientation();
void commandFrontieres();
void commandKelvoraNoProxy();

}  // namespace kelvora::tools
