// The organic course's 24 molecules, in lesson order: the atoms laid into the
// tray (all C, then all O, then all H), the five lines shown under the
// molecule and the structure rules that tell the molecule from its isomers.
//
// A rule LastHas(K, n, A, m, B) asks that the last K atom has exactly n
// neighbours of kind A and exactly m of kind B; NoneHas(K, n, A, m, B) that no
// K atom has that pattern. A multiple bond counts as one neighbour. The rules
// of a row are tested in order, and whichever fails shows the row's message.
#include "i18n/translate.h"
#include "practice/organicwindow.h"

namespace kovala {

namespace {

constexpr ElementKind C = Carbon;
constexpr ElementKind H = Hydrogen;
constexpr ElementKind O = Oxygen;

}  // namespace

const std::vector<TCourseRow>& OrganicTable() {
  static const std::vector<TCourseRow> table{
      // 1. Methane
      {.name = "methane",
       .atoms = {{1, C}, {4, H}},
       .lines =
           {
               TrNoop("This first molecule is methane.  Click the left mouse button on the carbon atom"),
               TrNoop("and drag it to the center of the screen. Release the left button."),
               TrNoop("Drag a hydrogen atom to the right of the carbon and release the button."),
               TrNoop("Repeat around the carbon until all hydrogen atoms are bonded.  Go to View"),
               TrNoop("to see the molecule. Methane is the simplest alkane."),
           }},
      // 2. Ethane
      {.name = "ethane",
       .atoms = {{2, C}, {6, H}},
       .lines =
           {
               TrNoop("This second member of the alkane series of"),
               TrNoop("hydrocarbons is called ethane.  All alkanes"),
               TrNoop("follow the general formula CnH2n+2 where n"),
               TrNoop("is an integer and has a value of 2 for ethane."),
               TrNoop("Does this molecule have any isomers?"),
           }},
      // 3. Propane
      {.name = "propane",
       .atoms = {{3, C}, {8, H}},
       .lines =
           {
               TrNoop("This third member of the alkane series of"),
               TrNoop("hydrocarbons is called propane.  Propane is"),
               TrNoop("sold commercially as bottled gas and is used"),
               TrNoop("primarily for heating."),
               TrNoop("Does this molecule have any isomers?"),
           }},
      // 4. Butane
      {.name = "butane",
       .atoms = {{4, C}, {10, H}},
       .lines =
           {
               TrNoop("This fourth member of the alkane series of"),
               TrNoop("hydrocarbons is called butane.  It is found"),
               TrNoop("in lighters such as the BIC lighter."),
               TrNoop("There are two isomers of butane."),
               TrNoop("To do the second isomer use Edit|Abbreviate Hs."),
           }},
      // 5. Ethene
      {.name = "ethene",
       .atoms = {{2, C}, {4, H}},
       .lines =
           {
               TrNoop("This simplest member of the alkene series of"),
               TrNoop("hydrocarbons is called ethene.  All alkenes"),
               TrNoop("follow the general formula CnH2n where n"),
               TrNoop("is an integer and has a value of 2 for ethane."),
               TrNoop("Alkenes all have one double bond."),
           }},
      // 6. Propene
      {.name = "propene",
       .atoms = {{3, C}, {6, H}},
       .lines =
           {
               TrNoop("This next member of the alkene series of"),
               TrNoop("hydrocarbons is called propene.  The prefix"),
               TrNoop("prop means three carbon atoms."),
               TrNoop("Does propene have any isomers?"),
               "",
           }},
      // 7. Butene
      {.name = "butene",
       .atoms = {{4, C}, {8, H}},
       .lines =
           {
               TrNoop("This next member of the alkene series of"),
               TrNoop("hydrocarbons is called butene.  Notice that"),
               TrNoop("the double bond can be located in different"),
               TrNoop("locations in addition to varying the length"),
               TrNoop("of the longest carbon chain."),
           }},
      // 8. Ethyne
      {.name = "ethyne",
       .atoms = {{2, C}, {2, H}},
       .lines =
           {
               TrNoop("This simplest member of the alkyne series of"),
               TrNoop("hydrocarbons is called ethyne or acetylene."),
               TrNoop("All alkynes follow the general formula CnH2n-2."),
               TrNoop("Alkynes all have one triple bond."),
               TrNoop("Acetylene is used in welding."),
           }},
      // 9. Propyne
      {.name = "propyne",
       .atoms = {{3, C}, {4, H}},
       .lines =
           {
               TrNoop("This next member of the alkyne series of"),
               TrNoop("hydrocarbons is called propyne."),
               TrNoop("Can moving the triple bond give different"),
               TrNoop("isomers?"),
               "",
           }},
      // 10. Methanol
      {.name = "methanol",
       .atoms = {{1, C}, {1, O}, {4, H}},
       .lines =
           {
               TrNoop("This molecule is methanol or methyl alcohol."),
               TrNoop("An H bonded to an O which is bonded to a C is a "),
               TrNoop("characteristic of an alcohol. The general formula"),
               TrNoop("for an alcohol is ROH where R is an alkane with an"),
               TrNoop("H missing.  (Like CH3 from methane; thus methyl.)"),
           }},
      // 11. Ethanol
      {.name = "ethanol",
       .atoms = {{2, C}, {1, O}, {6, H}},
       .lines =
           {
               TrNoop("This molecule is ethanol or ethyl alcohol."),
               TrNoop("Ethyl alcohol is the only alcohol that takes"),
               TrNoop("time to kill people.  It is found in alcoholic"),
               TrNoop("beverages.  Does it have any isomers?"),
               TrNoop("Remember it has to follow ROH."),
           },
       .rules = {LastHas(O, 1, C, 1, H)},
       .ruleMessage = TrNoop("In ethanol you must have the OH group characteristic of an alcohol.")},
      // 12. Propanol
      {.name = "propanol",
       .atoms = {{3, C}, {1, O}, {8, H}},
       .lines =
           {
               TrNoop("This molecule is propanol or propyl alcohol."),
               TrNoop("Propyl alcohol is commonly called rubbing"),
               TrNoop("alcohol.  Try to do two structures for this"),
               TrNoop("molecule by locating the OH group on different"),
               TrNoop("carbon atoms."),
           },
       .rules = {LastHas(O, 1, C, 1, H)},
       .ruleMessage = TrNoop("In propanol you must have the OH group characteristic of an alcohol.")},
      // 13. Dimethyl ether
      {.name = "dimethyl ether",
       .atoms = {{2, C}, {1, O}, {6, H}},
       .lines =
           {
               TrNoop("This molecule is dimethylether."),
               TrNoop("Ethers have the general formula ROR where"),
               TrNoop("the R groups can be the same group but do"),
               TrNoop("not have to be."),
               TrNoop("Does this molecule have isomers?"),
           },
       .rules = {LastHas(O, 2, C, 0, H)},
       .ruleMessage = TrNoop("In dimethyl ether you must have the O bonded to two C's to give the group "
                             "characteristic of an ether.")},
      // 14. Methylethyl ether
      {.name = "methylethyl ether",
       .atoms = {{3, C}, {1, O}, {8, H}},
       .lines =
           {
               TrNoop("This molecule is methylethylether."),
               TrNoop("Say that ten times fast."),
               TrNoop("One R group must be a methyl group (CH3) and"),
               TrNoop("the other must be an ethyl group (CH3CH2)."),
               TrNoop("Does this molecule have isomers?"),
           },
       .rules = {LastHas(O, 2, C, 0, H)},
       .ruleMessage = TrNoop("In methylethyl ether you must have the O bonded to two C's to give the group "
                             "characteristic of an ether.")},
      // 15. Diethyl ether
      {.name = "diethyl ether",
       .atoms = {{4, C}, {1, O}, {10, H}},
       .lines =
           {
               TrNoop("This molecule is diethylether."),
               TrNoop("Diethyl ether used to be used as an"),
               TrNoop("anesthetic.  Both R groups must be "),
               TrNoop("ethyl for the molecule to be diethylether."),
               TrNoop("Does this molecule have isomers?"),
           },
       .rules = {LastHas(O, 2, C, 0, H), NoneHas(C, 3, H, 1, O)},
       .ruleMessage = TrNoop("In diethyl ether you must have the O bonded to two ethyl(C2H5) groups.")},
      // 16. Formaldehyde
      {.name = "formaldehyde",
       .atoms = {{1, C}, {1, O}, {2, H}},
       .lines =
           {
               TrNoop("This molecule is formaldehyde which is"),
               TrNoop("the simplest aldehyde.  Aldehydes have the"),
               TrNoop("general formula RCOH where the C is doubly"),
               TrNoop("bonded to the O.  If you have ever cut up"),
               TrNoop("a frog you know what formaldehyde is."),
           }},
      // 17. Acetaldehyde
      {.name = "acetaldehyde",
       .atoms = {{2, C}, {1, O}, {4, H}},
       .lines =
           {
               TrNoop("This molecule is acetylaldehyde or ethanal."),
               TrNoop("Remember it has to follow the general"),
               TrNoop("formula RCOH where the C has a double bond"),
               TrNoop("with the O."),
               "",
           }},
      // 18. Acetone
      {.name = "acetone",
       .atoms = {{3, C}, {1, O}, {6, H}},
       .lines =
           {
               TrNoop("This molecule is acetone which is"),
               TrNoop("the simplest ketone.  Ketones have the"),
               TrNoop("general formula RCOR where the C is doubly"),
               TrNoop("bonded to the O.  Acetone is used in fingernail"),
               TrNoop("polish remover.  It is also known as propanone."),
           },
       .rules = {NoneHas(C, 1, H, 1, O)},
       .ruleMessage =
           TrNoop("In acetone you must have the O doubly bonded to a carbon which is bonded to two "
                  "methyl(CH3) groups.")},
      // 19. Butanone
      {.name = "butanone",
       .atoms = {{4, C}, {1, O}, {8, H}},
       .lines =
           {
               TrNoop("This molecule is butanone."),
               TrNoop("The general formula must be RCOR"),
               "",
               "",
               "",
           },
       .rules = {NoneHas(C, 1, H, 1, O)},
       .ruleMessage = TrNoop("In butanone you must have the O doubly bonded to a carbon which is bonded to a "
                             "methyl(CH3) and an ethyl(C2H5) group.")},
      // 20. Formic acid
      {.name = "formic acid",
       .atoms = {{1, C}, {2, O}, {2, H}},
       .lines =
           {
               TrNoop("This molecule is formic acid which is"),
               TrNoop("the simplest carboxylic acid."),
               TrNoop("Carboxylic acids have the general formula"),
               TrNoop("RCOOH"),
               "",
           },
       .rules = {LastHas(C, 2, O, 1, H)},
       .ruleMessage = TrNoop(
           "In formic acid you must have the carbon doubly bonded to one O and also bonded to an OH and H.")},
      // 21. Acetic acid
      {.name = "acetic acid",
       .atoms = {{2, C}, {2, O}, {4, H}},
       .lines =
           {
               TrNoop("This molecule is acetic acid which is"),
               TrNoop("another carboxylic acid."),
               TrNoop("Carboxylic acids have the general formula"),
               TrNoop("RCOOH"),
               "",
           },
       .rules = {NoneHas(O, 1, O, 1, C), NoneHas(O, 2, C, 0, H), NoneHas(C, 1, C, 1, H)},
       .ruleMessage =
           TrNoop("In acetic acid you must have one O doubly bonded to a carbon which is also bonded to "
                  "a OH group.")},
      // 22. Methyl formate
      {.name = "methyl formate",
       .atoms = {{2, C}, {2, O}, {4, H}},
       .lines =
           {
               TrNoop("This molecule is methyl formate which is"),
               TrNoop("an ester.  Esters have the general formula"),
               TrNoop("RCOOR where the R groups can be the same"),
               TrNoop("but do not have to be."),
               TrNoop("The first R is H in this case."),
           },
       .rules = {NoneHas(O, 1, O, 1, C), NoneHas(O, 1, C, 1, H), NoneHas(C, 1, C, 1, H)},
       .ruleMessage =
           TrNoop("In methyl formate you must have one O doubly bonded to a carbon which is also bonded "
                  "to a methoxy(CH3O) group.")},
      // 23. Methyl acetate
      {.name = "methyl acetate",
       .atoms = {{3, C}, {2, O}, {6, H}},
       .lines =
           {
               TrNoop("This molecule is methyl acetate which is"),
               TrNoop("another ester.  Esters have the general formula"),
               TrNoop("RCOOR where the R groups can be the same"),
               TrNoop("but do not have to be."),
               TrNoop("The second R is CH3 in this case."),
           },
       .rules = {NoneHas(O, 1, O, 1, C), NoneHas(O, 1, C, 1, H), NoneHas(C, 1, C, 1, H),
                 NoneHas(C, 2, O, 1, H)},
       .ruleMessage =
           TrNoop("In methyl acetate you must have one O doubly bonded to a carbon which is also bonded "
                  "to a methoxy(CH3O) group and a methyl group.")},
      // 24. Ethyl acetate
      {.name = "ethyl acetate",
       .atoms = {{4, C}, {2, O}, {8, H}},
       .lines =
           {
               TrNoop("This molecule is ethyl acetate which is"),
               TrNoop("another ester.  Esters have the general formula"),
               TrNoop("RCOOR where the R groups can be the same"),
               TrNoop("but do not have to be."),
               TrNoop("The second R is CH3CH2 in this case."),
           },
       .rules = {NoneHas(O, 1, O, 1, C), NoneHas(O, 1, C, 1, H), NoneHas(C, 1, C, 1, H),
                 NoneHas(C, 2, O, 1, H), NoneHas(C, 1, O, 3, H)},
       .ruleMessage =
           TrNoop("In ethyl acetate you must have one O doubly bonded to a carbon which is also bonded "
                  "to a ethoxy(C2H5O) group and a methyl group.")},
  };
  return table;
}

}  // namespace kovala
