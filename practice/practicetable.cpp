// The practice lab's 19 compounds, in lesson order: the atoms laid into the
// tray (first listed, first in the tray), the five lines shown under the
// molecule, the charge adjustment of the two ions and the rules of the
// compounds that have one.
//
// A rule LastHas(K, n, A, m, B) asks that the last K atom has exactly n
// neighbours of kind A and exactly m of kind B; a multiple bond counts as one
// neighbour. Its row's message is shown when it fails.
#include "i18n/translate.h"
#include "practice/practicewindow.h"

namespace kovala {

namespace {

constexpr ElementKind C = Carbon;
constexpr ElementKind H = Hydrogen;
constexpr ElementKind O = Oxygen;
constexpr ElementKind N = Nitrogen;
constexpr ElementKind S = Sulfur;
constexpr ElementKind Cl = Chlorine;
constexpr ElementKind P = Phosphorus;
constexpr ElementKind Br = Bromine;
constexpr ElementKind F = Fluorine;

// The last four compounds share their text.
const std::array<std::string, 5> kOctetRuleLines{
    TrNoop("If you can form a molecule of this that follows the"),
    TrNoop("octet rule consider it stable."),
    "",
    "",
    "",
};

}  // namespace

const std::vector<TCourseRow>& PracticeTable() {
  static const std::vector<TCourseRow> table{
      // 1. Methane
      {.name = "methane",
       .atoms = {{1, C}, {4, H}},
       .lines =
           {
               TrNoop("This first molecule is methane.  Click the left mouse button"),
               TrNoop("on the carbon atom and drag it to the center of the screen."),
               TrNoop("Release the left button. Drag a hydrogen atom to the right of the"),
               TrNoop("carbon and release the button. Repeat around the carbon all hydrogen"),
               TrNoop("atoms are bonded.  Go to View to see the molecule."),
           }},
      // 2. Dichloromethane
      {.name = "dichloromethane",
       .atoms = {{1, C}, {2, H}, {2, Cl}},
       .lines =
           {
               TrNoop("This second molecule is dichloromethane."),
               TrNoop("Bond this atom in the same manner as you "),
               TrNoop("bonded methane."),
               TrNoop("Does this compound have isomers?"),
               TrNoop("Is this molecule polar?"),
           }},
      // 3. Methanol
      {.name = "methanol",
       .atoms = {{1, C}, {4, H}, {1, O}},
       .lines =
           {
               TrNoop("This third molecule is methanol or methyl alcohol."),
               TrNoop("An H bonded to an O which is bonded to a C is a "),
               TrNoop("characteristic of an alcohol."),
               TrNoop("Does this compound have isomers?"),
               TrNoop("Is this molecule polar?"),
           }},
      // 4. Water
      {.name = "water",
       .atoms = {{1, O}, {2, H}},
       .lines =
           {
               TrNoop("This is good old water."),
               TrNoop("Be sure to go to View to see the 3-dimensional"),
               TrNoop("structure of water. The bond angle is not the"),
               TrNoop("predicted 109.5° but rather 105° due to the"),
               TrNoop("nonbonded electrons repelling the H atoms closer."),
           }},
      // 5. Hydronium ion
      {.name = "hydronium ion",
       .atoms = {{1, O}, {3, H}},
       .lines =
           {
               TrNoop("This is not a compound but rather an ion that"),
               TrNoop("is produced when water gains an H+ ion (proton)."),
               TrNoop("It is called a hydronium ion. The electron was"),
               TrNoop("removed from the O atom to make the structure"),
               TrNoop("easier to do."),
           },
       .adjustment = TChargeAdjustment{.freeElectrons = -1, .openBonds = +1, .charge = +1}},
      // 6. Hydrogen fluoride
      {.name = "hydrogen fluoride",
       .atoms = {{1, H}, {1, F}},
       .lines =
           {
               TrNoop("This is hydrogen fluoride which can be dissolved"),
               TrNoop("in water to make hydrofluoric acid.  HF(aq) is"),
               TrNoop("used to etch glass. It is not a strong acid."),
               "",
               "",
           }},
      // 7. Ammonia
      {.name = "ammonia",
       .atoms = {{1, N}, {3, H}},
       .lines =
           {
               TrNoop("This compound is ammonia which is a gas at"),
               TrNoop("room temperature and pressure.  It is very "),
               TrNoop("soluble in water forming the weak base"),
               TrNoop("ammonium hydroxide or more simply aqueous "),
               TrNoop("ammonia."),
           }},
      // 8. Hydrogen peroxide
      {.name = "hydrogen peroxide",
       .atoms = {{2, H}, {2, O}},
       .lines =
           {
               TrNoop("This compound is called hydrogen peroxide. It is"),
               TrNoop("used as a disinfectant and will readily decompose"),
               TrNoop("to give oxygen and water.  A compound with O bonded to"),
               TrNoop("O is called a peroxide.  Peroxides are not very"),
               TrNoop("stable."),
           },
       .rules = {LastHas(O, 1, H, 1, O)},
       .ruleMessage =
           TrNoop("In hydrogen peroxide the hydrogen atoms must be attached to separate oxygen atoms.")},
      // 9. Nitrogen
      {.name = "nitrogen",
       .atoms = {{2, N}},
       .lines =
           {
               TrNoop("This is the most abundant gas found in air."),
               TrNoop("You will need multiple bonds to make this "),
               TrNoop("molecule stable. Click the right mouse button twice"),
               TrNoop("over the single bond formed when N is bonded to"),
               TrNoop("N."),
           }},
      // 10. Ethene
      {.name = "ethene",
       .atoms = {{2, C}, {4, H}},
       .lines =
           {
               TrNoop("This is the first member of the hydrocarbon series"),
               TrNoop("called the alkenes.  It is called ethene because it"),
               TrNoop("has two carbon atoms.  The alkenes are characterized"),
               TrNoop("by the presence of one C to C double bond."),
               "",
           }},
      // 11. Dibromoethene
      {.name = "dibromoethene",
       .atoms = {{2, C}, {2, H}, {2, Br}},
       .lines =
           {
               TrNoop("This molecule is similar to ethene except two of"),
               TrNoop("the hydrogen atoms have been replaced with bromine."),
               TrNoop("Are isomers possible with this dibromoethene?"),
               "",
               "",
           }},
      // 12. Ethyne
      {.name = "ethyne",
       .atoms = {{2, C}, {2, H}},
       .lines =
           {
               TrNoop("This is the first member of the hydrocarbon series"),
               TrNoop("called the alkynes. The chemical name for this"),
               TrNoop("compound is ethyne although it is more commonly know"),
               TrNoop("as acetylene.  It is used in welding. "),
               TrNoop("The most common source of all hydrocarbons is petroleum. "),
           }},
      // 13. Sulfur dioxide
      {.name = "sulfur dioxide",
       .atoms = {{1, S}, {2, O}},
       .lines =
           {
               TrNoop("This compound is formed when sulfur is burned and is"),
               TrNoop("called sulfur dioxide. It is an acid anhydride which"),
               TrNoop("means it will form an acid when combined with water."),
               TrNoop("Since sulfur is a common impurity in fossel fuels, SO2"),
               TrNoop("is a product of their combustion and the chief cause of acid rain."),
           },
       .rules = {LastHas(S, 2, O, 0, H)},
       .ruleMessage = TrNoop("In sulfur dioxide avoid bonding O to O.")},
      // 14. Sulfate ion
      {.name = "sulfate ion",
       .atoms = {{1, S}, {4, O}},
       .lines =
           {
               TrNoop("This is sulfate, a polyatomic anion. It is found in"),
               TrNoop("a number of salts and in sulfuric acid.  The extra"),
               TrNoop("electrons were given to the sulfur to make bonding"),
               TrNoop("easier. "),
               TrNoop("Avoid bonding O to O."),
           },
       .adjustment = TChargeAdjustment{.freeElectrons = +2, .openBonds = -2, .charge = -2},
       .rules = {LastHas(S, 4, O, 0, H)},
       .ruleMessage = TrNoop("In the sulfate ion avoid bonding O to O.")},
      // 15. Carbon dioxide
      {.name = "carbon dioxide",
       .atoms = {{1, C}, {2, O}},
       .lines =
           {
               TrNoop("This is carbon dioxide which can be formed when carbon"),
               TrNoop("or a carbon containing compound is burned.  Soft drinks"),
               TrNoop("contain carbonic acid which is formed when CO2 combines "),
               TrNoop("with water under pressure. Carbonated water is acidic. "),
               "",
           }},
      // 16. (no name shown)
      {.name = "",
       .atoms = {{1, P}, {3, Cl}},
       .lines =
           {
               TrNoop("If you can form a molecule of this that follows the"),
               TrNoop("octet rule consider it stable."),
               "",
               "",
               "",
           }},
      // 17. (no name shown)
      {.name = "", .atoms = {{1, C}, {3, H}}, .lines = kOctetRuleLines},
      // 18. (no name shown)
      {.name = "", .atoms = {{1, O}, {1, H}}, .lines = kOctetRuleLines},
      // 19. (no name shown)
      {.name = "", .atoms = {{1, C}, {1, O}}, .lines = kOctetRuleLines},
  };
  return table;
}

}  // namespace kovala
