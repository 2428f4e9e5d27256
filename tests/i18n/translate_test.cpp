#include "i18n/translate.h"
#include "tests/i18n/languagetest.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace kovala {
namespace {

using TranslateTest = TLanguageTest;

TEST_F(TranslateTest, SourceLanguageIsRecognisedFromTheLocaleName) {
  struct Case {
    std::string_view locale;
    bool source;
  };
  const Case cases[] = {
      {"", true},           {"C", true},          {"POSIX", true},      {"C.UTF-8", true},     {"C.utf8", true},
      {"en", true},         {"en_US.UTF-8", true}, {"en_GB", true},      {"en@quot", true},     {"en.UTF-8", true},
      {"de_DE.UTF-8", false}, {"fr_FR", false},   {"es_ES.UTF-8", false}, {"eo", false},       {"enx", false},
      {"el_GR.UTF-8", false}, {"Cy", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsSourceLanguage(c.locale), c.source) << c.locale;
}

TEST_F(TranslateTest, FormatTextFillsNumberedPlaceholdersInAnyOrder) {
  struct Case {
    std::string_view pattern;
    std::string expected;
  };
  const Case cases[] = {
      {"Still open: {0}.", "Still open: a."},
      {"{1} then {0}", "b then a"},
      {"{0}{0}", "aa"},
      {"{{0}} stays", "{0}} stays"},
      {"{3} has no argument", "{3} has no argument"},
      {"{x} and { 0} and {", "{x} and { 0} and {"},
      {"", ""},
      {"end {0", "end {0"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatText(c.pattern, {"a", "b", "c"}), c.expected) << c.pattern;
}

TEST_F(TranslateTest, LocaleFoldersComeFromTheProgramFileFirst) {
  const auto folders = LocaleFolderCandidates("/opt/kovala/kovala");
  ASSERT_GE(folders.size(), 3u);
  EXPECT_EQ(folders[0], "/opt/kovala/locale");
  EXPECT_EQ(folders[1], "/opt/share/locale");
  EXPECT_EQ(folders.back(), KOVALA_TEST_LOCALE_DIR);
  const auto packaged = LocaleFolderCandidates("/usr/bin/kovala");
  EXPECT_EQ(packaged[1], "/usr/share/locale");
  // Without a program file only the build tree is left.
  EXPECT_EQ(LocaleFolderCandidates("").size(), 1u);
}

// English, C and an unset locale show every text byte for byte, even when a
// catalogue is there and LANGUAGE names another language.
TEST_F(TranslateTest, EnglishAndCLocalesReturnTheSourceTextItself) {
  const char* locales[] = {nullptr, "C", "POSIX", "C.UTF-8", "en_US.UTF-8", "en_GB"};
  const char* texts[] = {"&New", "Warning", "Starts a new molecule", "Still open: {0}.", ""};
  const std::string program = std::string(KOVALA_TEST_LOCALE_DIR) + "/../kovala";
  for (const char* locale : locales) {
    SCOPED_TRACE(locale ? locale : "(unset)");
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    unsetenv("LANG");
    if (locale != nullptr) setenv("LC_ALL", locale, 1);
    setenv("LANGUAGE", "de", 1);
    EXPECT_FALSE(StartTranslations(program));
    EXPECT_FALSE(Translating());
    for (const char* text : texts) EXPECT_EQ(Tr(text), text);
    EXPECT_STREQ(TrPlural("{0} open bond", "{0} open bonds", 1), "{0} open bond");
    EXPECT_STREQ(TrPlural("{0} open bond", "{0} open bonds", 0), "{0} open bonds");
    EXPECT_STREQ(TrPlural("{0} open bond", "{0} open bonds", 2), "{0} open bonds");
    const char* name = "ethanol";
    EXPECT_EQ(TrContext("compound", name), name);
    EXPECT_EQ(Tr(std::string("Warning")), "Warning");
  }
}

TEST_F(TranslateTest, CataloguesTranslateMenusMessagesAndCompoundNames) {
  struct Case {
    const char* language;
    const char* context;
    const char* text;
    std::string_view expected;
  };
  const Case cases[] = {
      {"de", nullptr, "&New", "&Neu"},
      {"de", nullptr, "Warning", "Warnung"},
      {"de", nullptr, "Still open: {0}.", "Noch offen: {0}."},
      {"de", "compound", "ethanol", "Ethanol"},
      {"de", "compound", "acetic acid", "Essigsäure"},
      {"fr", nullptr, "&Edit", "É&dition"},
      {"fr", nullptr, "Is this molecule polar?", "Cette molécule est-elle polaire\u00a0?"},
      {"fr", "compound", "ethanol", "éthanol"},
      {"fr", "compound", "acetic acid", "acide acétique"},
      {"es", nullptr, "Information", "Información"},
      {"es", "compound", "ethanol", "etanol"},
      {"es", "compound", "acetic acid", "ácido acético"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.language) + ": " + c.text);
    UseLanguage(c.language);
    EXPECT_EQ(c.context ? std::string_view(TrContext(c.context, c.text)) : std::string_view(Tr(c.text)),
              c.expected);
  }
}

// German and Spanish take the singular for 1 only; French for 0 and 1.
TEST_F(TranslateTest, PluralsFollowEachLanguagesRule) {
  struct Case {
    const char* language;
    unsigned long count;
    std::string_view expected;
  };
  const Case cases[] = {
      {"de", 0, "{0} offene Bindungen"}, {"de", 1, "{0} offene Bindung"}, {"de", 2, "{0} offene Bindungen"},
      {"fr", 0, "{0} liaison libre"},    {"fr", 1, "{0} liaison libre"},  {"fr", 2, "{0} liaisons libres"},
      {"es", 0, "{0} enlaces libres"},   {"es", 1, "{0} enlace libre"},   {"es", 5, "{0} enlaces libres"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.language) + " " + std::to_string(c.count));
    UseLanguage(c.language);
    EXPECT_EQ(std::string_view(TrPlural("{0} open bond", "{0} open bonds", c.count)), c.expected);
  }
}

// The count fills the form its language's rule picks; a negative count reads as many.
TEST_F(TranslateTest, CountedTextsFillTheFormTheCountPicks) {
  struct Case {
    const char* language;  // nullptr: the source texts
    long long count;
    std::string_view expected;
  };
  const Case cases[] = {
      {nullptr, 1, "1 open bond"},  {nullptr, 0, "0 open bonds"},   {nullptr, -1, "-1 open bonds"},
      {nullptr, 3, "3 open bonds"}, {"de", 1, "1 offene Bindung"},  {"de", -1, "-1 offene Bindungen"},
      {"fr", 0, "0 liaison libre"}, {"fr", 2, "2 liaisons libres"}, {"es", 1, "1 enlace libre"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.language ? c.language : "source") + " " + std::to_string(c.count));
    if (c.language)
      UseLanguage(c.language);
    else
      StopTranslations();
    EXPECT_EQ(TrCounted("{0} open bond", "{0} open bonds", c.count), c.expected);
  }
}

TEST_F(TranslateTest, AnUnknownTextOrContextComesBackUnchanged) {
  UseLanguage("de");
  const char* unknown = "A text no catalogue holds";
  EXPECT_EQ(Tr(unknown), unknown);
  // A compound name looked up without its context, or in another one, is not translated.
  EXPECT_STREQ(Tr("acetic acid"), "acetic acid");
  EXPECT_STREQ(TrContext("element", "ethanol"), "ethanol");
  // The empty text is the catalogue header's key; it must never return the header.
  EXPECT_STREQ(Tr(""), "");
  EXPECT_EQ(Tr(std::string()), "");
}

TEST_F(TranslateTest, NoCatalogueFolderMeansNoTranslation) {
  ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
  setenv("LANGUAGE", "de", 1);
  EXPECT_FALSE(StartTranslationsFrom("/nonexistent/locale"));
  EXPECT_FALSE(Translating());
  EXPECT_STREQ(Tr("&New"), "&New");
}

// Whatever the toolkit set before, numbers go back to C when translations start.
TEST_F(TranslateTest, StartingPutsNumbersBackToC) {
  ASSERT_NE(std::setlocale(LC_NUMERIC, "C.UTF-8"), nullptr);
  setenv("LC_ALL", "C.UTF-8", 1);
  StartTranslations(std::string(KOVALA_TEST_LOCALE_DIR) + "/../kovala");
  EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
  unsetenv("LC_ALL");
}

// The whole way a German user takes, where the machine has the locale.
TEST_F(TranslateTest, AGermanLocaleFindsTheCatalogueBesideTheBuild) {
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "de_DE.UTF-8 is not generated here";
  std::setlocale(LC_ALL, "C");
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  unsetenv("LANGUAGE");
  EXPECT_TRUE(StartTranslations(std::string(KOVALA_TEST_LOCALE_DIR) + "/../kovala"));
  EXPECT_STREQ(Tr("&New"), "&Neu");
  // A German decimal comma must not reach the numbers written to files.
  char number[16];
  std::snprintf(number, sizeof number, "%.1f", 1.5);
  EXPECT_STREQ(number, "1.5");
  unsetenv("LC_ALL");
}

}  // namespace
}  // namespace kovala
