#include "distribution/samplemolecules.h"

#include "editor/bondwindow.h"
#include "tests/support/windowfixture.h"

namespace kovala {

namespace {

// The boxes a student sees on the way to a finished molecule.
bool Expected(const std::string& text) {
  return text == "This molecule is completed!!!  Go to View for 3-D structure." ||
         text == "Click the right mouse button on the atom which is to lose the electron." ||
         text == "Click the right mouse button on the atom which is to gain the electron.";
}

// A student at a molecule window of the usual size, nothing shown: atoms
// come from the palette and are dragged to the middle or beside a placed atom.
TSampleMolecule Build(std::string fileName, std::string formula, std::string_view recipe) {
  test::TWindowFixture<TBondWindow> program;
  program.window.SetupWindow();
  const std::string stopped = program.Run(recipe);
  TSampleMolecule sample{std::move(fileName), std::move(formula), program.window.molecule, {}};
  if (!stopped.empty()) sample.surprises.push_back(stopped);
  for (const test::TShownMessage& box : program.desktop.messages)
    if (!Expected(box.text)) sample.surprises.push_back(box.text);
  if (!program.window.molecule.completed) sample.surprises.push_back("the molecule was not completed");
  return sample;
}

}  // namespace

std::vector<TSampleMolecule> BuildSampleMolecules() {
  return {
      Build("water.kvl", "H₂O", "O at 300 200; H left of 1; H bottom of 1"),
      Build("methane.kvl", "CH₄", "C at 300 200; hydrogens"),
      Build("ammonium.kvl", "H₄N⁺", "N at 300 200; take 1; hydrogens"),
      // H3C-CH2-OH, left to right.
      Build("ethanol.kvl", "C₂H₆O", "C at 300 200; C right of 1; O right of 2; hydrogens"),
      Build("benzene.kvl", "C₆H₆", "ring aromatic; hydrogens"),
  };
}

}  // namespace kovala
