// Inside the chemistry library only: how a graph becomes the library's
// molecule, shared by the files, the names and the true shape.
#pragma once

#include <GraphMol/MolOps.h>
#include <GraphMol/RWMol.h>

#include "chem/chemgraph.h"

namespace kovala {

// Every hydrogen is an atom of its own and every unpaired electron is the
// student's, so the library adds none and finds none. The graph's 2-D places
// come along as a flat conformer.
void BuildRdkitMolecule(const TChemGraph& graph, RDKit::RWMol& mol);

// The valence checks and ring perception, but nothing that would rewrite the
// student's bonds, charges or electrons.
inline constexpr unsigned kSanitizeOps =
    RDKit::MolOps::SANITIZE_PROPERTIES | RDKit::MolOps::SANITIZE_SYMMRINGS | RDKit::MolOps::SANITIZE_KEKULIZE |
    RDKit::MolOps::SANITIZE_SETCONJUGATION | RDKit::MolOps::SANITIZE_SETHYBRIDIZATION;

// Enough for the writers on a structure the valence checks refused.
void PrepareUnsanitized(RDKit::RWMol& mol);

// The library reports every refused structure on the console; here a refusal
// is an answer, not an error.
void QuietLibrary();

}  // namespace kovala
