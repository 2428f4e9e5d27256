// The program's own texts in each language, looked up where the program
// shows them: menus, hints, compound names, the 3-D views, help pages.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "base/commands.h"
#include "chem/identity.h"
#include "chem/moleculeexport.h"
#include "chem/trueshape.h"
#include "i18n/translate.h"
#include "tests/i18n/languagetest.h"
#include "resources/helpfiles.h"
#include "resources/menus.h"
#include "tests/support/fakehost.h"
#include "tests/support/scripteddesktop.h"
#include "view3d/shapewindow.h"

namespace kovala {
namespace {

using TranslatedTextsTest = TLanguageTest;

// The text of a command's item anywhere in the menu, popups included.
std::string ItemText(const std::vector<TMenuItem>& items, int command) {
  for (const TMenuItem& item : items) {
    if (item.command == command) return item.text;
    if (std::string inner = ItemText(item.popup, command); !inner.empty()) return inner;
  }
  return {};
}

std::string MenuItemText(const char* menuName, int command) {
  const std::optional<TMenu> menu = ProgramMenu(menuName);
  return menu ? ItemText(menu->items, command) : std::string();
}

std::string ShrinkRefusal() {
  test::TFakeHost host;
  test::TScriptedDesktop desktop;
  TShapeWindow window(host, desktop);
  window.Shrink();
  return desktop.messages.empty() ? std::string()
                                  : desktop.messages.back().text + " / " + desktop.messages.back().caption;
}

std::string Completion(const char* name, const char* family, const char* row) {
  const TNameEntry entry{"", name, "", family, ""};
  TIdentity identity;
  identity.entry = &entry;
  identity.formula = "C₃H₈O";
  return CompletionExplanation(identity, row);
}

struct TProbe {
  const char* what;
  std::function<std::string()> text;
  const char* english;
  const char* de;
  const char* fr;
  const char* es;
};

const TProbe Probes[] = {
    {"menu bar", [] { return ProgramMenu(menu::Editor)->items.front().text; }, "&Molecule", "&Molekül",
     "&Molécule", "&Molécula"},
    {"an item the program adds to a popup", [] { return MenuItemText(menu::Editor, cmd::MoleculePanel); },
     "Molecule &Panel", "Molekül&leiste", "&Panneau de la molécule", "&Panel de la molécula"},
    {"the true shape's own menu", [] { return MenuItemText(menu::TrueShape, cmd::ReturnFromTrueShape); },
     "&Return", "&Zurück", "&Retour", "&Volver"},
    {"menu hint", [] { return std::string(MenuHint(cmd::NewMolecule)); }, "Starts a new molecule",
     "Beginnt ein neues Molekül", "Commence une nouvelle molécule", "Empieza una molécula nueva"},
    {"compound name", [] { return Completion("2-propanol", "", ""); }, "Completed: 2-propanol, C₃H₈O",
     "Fertig: Propan-2-ol, C₃H₈O", "Terminé\u00a0: propan-2-ol, C₃H₈O", "Terminada: 2-propanol, C₃H₈O"},
    // A course row's name is lower-cased in English only: a German noun keeps its capital.
    {"lesson answered by an isomer", [] { return Completion("2-propanol", "propanol", "Propanol"); },
     "Completed: 2-propanol, C₃H₈O (lesson: propanol)", "Fertig: Propan-2-ol, C₃H₈O (Lektion: Propanol)",
     "Terminé\u00a0: propan-2-ol, C₃H₈O (leçon\u00a0: propanol)",
     "Terminada: 2-propanol, C₃H₈O (lección: propanol)"},
    {"3-D view's refusal", ShrinkRefusal, "You cannot make the molecule any smaller!!! / Warning",
     "Kleiner kannst du das Molekül nicht machen!!! / Warnung",
     "Vous ne pouvez pas réduire davantage la molécule\u00a0!!! / Attention",
     "¡¡¡No puedes hacer la molécula más pequeña!!! / Advertencia"},
    {"true shape's reason", [] { return TrueShapeOf(TChemGraph{}).problem; }, "it has no atoms",
     "es hat keine Atome", "elle n'a pas d'atomes", "no tiene átomos"},
    {"help page", [] { return HelpPageResources("kovala.html", TranslationLanguage()).front(); },
     ":/help/kovala.html", ":/help/de/kovala.html", ":/help/fr/kovala.html", ":/help/es/kovala.html"},
};

TEST_F(TranslatedTextsTest, EveryProbeIsTheSourceTextWithoutACatalogue) {
  for (const TProbe& probe : Probes) EXPECT_EQ(probe.text(), probe.english) << probe.what;
}

TEST_F(TranslatedTextsTest, EveryProbeSpeaksEachLanguage) {
  struct TLanguage {
    const char* name;
    const char* TProbe::*expected;
  };
  const TLanguage languages[] = {{"de", &TProbe::de}, {"fr", &TProbe::fr}, {"es", &TProbe::es}};
  for (const TLanguage& language : languages) {
    UseLanguage(language.name);
    EXPECT_EQ(TranslationLanguage(), language.name);
    for (const TProbe& probe : Probes)
      EXPECT_EQ(probe.text(), probe.*language.expected) << language.name << ": " << probe.what;
    StopTranslations();
  }
}

TEST_F(TranslatedTextsTest, TranslatedMenusKeepTheirShape) {
  // Translation comes after the program's own items are placed by their
  // popup's source text, so German loses none and keeps Exit last.
  const std::optional<TMenu> english = ProgramMenu(menu::Editor);
  UseLanguage("de");
  const std::optional<TMenu> german = ProgramMenu(menu::Editor);
  ASSERT_TRUE(english && german);
  ASSERT_EQ(german->items.size(), english->items.size());
  for (std::size_t i = 0; i < english->items.size(); ++i) {
    ASSERT_EQ(german->items[i].popup.size(), english->items[i].popup.size()) << english->items[i].text;
    for (std::size_t j = 0; j < english->items[i].popup.size(); ++j) {
      EXPECT_EQ(german->items[i].popup[j].command, english->items[i].popup[j].command);
      // A separator stays a separator; every other item is translated.
      EXPECT_EQ(german->items[i].popup[j].text.empty(), english->items[i].popup[j].text.empty());
      if (!english->items[i].popup[j].text.empty()) {
        EXPECT_NE(german->items[i].popup[j].text, english->items[i].popup[j].text)
            << english->items[i].popup[j].text;
      }
    }
  }
  EXPECT_EQ(german->items.front().popup.back().command, cmd::Exit);
}

// A German student's exported 3-D files are byte for byte an English
// student's: decimal points, English title, whatever the toolkit set before.
TEST_F(TranslatedTextsTest, ExportedFilesDoNotDependOnTheLanguage) {
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "de_DE.UTF-8 is not generated here";
  std::setlocale(LC_ALL, "C");
  TChemGraph water;
  water.atoms = {{Oxygen, 0, 0, 0, 0, 2}, {Hydrogen, 0, 0, -1, 0, 0}, {Hydrogen, 0, 0, 1, 0, 0}};
  water.bonds = {{0, 1, 1}, {0, 2, 1}};
  const TTrueShape shape = TrueShapeOf(water);
  ASSERT_TRUE(shape.problem.empty()) << shape.problem;
  const TExportFormat3D formats[] = {TExportFormat3D::Xyz, TExportFormat3D::Molfile, TExportFormat3D::Sdf};
  std::vector<std::string> english;
  for (TExportFormat3D format : formats) english.push_back(ExportText3D(water, shape, format));

  // As the program starts: the toolkit takes the whole user locale first.
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  ASSERT_NE(std::setlocale(LC_ALL, ""), nullptr);
  ASSERT_TRUE(StartTranslations(std::string(KOVALA_TEST_LOCALE_DIR) + "/../kovala"));
  ASSERT_EQ(TranslationLanguage(), "de");
  for (std::size_t i = 0; i < std::size(formats); ++i) {
    const std::string german = ExportText3D(water, shape, formats[i]);
    EXPECT_NE(german.find('.'), std::string::npos) << i;
    EXPECT_EQ(german, english[i]) << i;
  }
  unsetenv("LC_ALL");
}

TEST(HelpPageResources, TheLanguagesPageComesBeforeTheEnglishOne) {
  struct Case {
    std::string_view language;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"de", {":/help/de/winhelp.html", ":/help/winhelp.html"}},
      {"", {":/help/winhelp.html"}},
      // Nothing but a plain language name reaches the path.
      {"..", {":/help/winhelp.html"}},
      {"de/../..", {":/help/winhelp.html"}},
      {"DE", {":/help/winhelp.html"}},
      {"verylonglanguage", {":/help/winhelp.html"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(HelpPageResources("winhelp.html", c.language), c.expected) << c.language;
}

}  // namespace
}  // namespace kovala
