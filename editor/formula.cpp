#include "editor/formula.h"

#include "chem/chemgraph.h"
#include "chem/hillformula.h"

namespace kovala {

std::string HillFormula(const TMolecule& molecule) { return THillFormula(GraphOf(molecule)).Display(); }

}  // namespace kovala
