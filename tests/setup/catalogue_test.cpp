// The translations' catalogues in sub-folders of an installation: copied,
// listed, rolled back and removed with the same care as the flat files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "setup/install/installwindow.h"
#include "setup/installset.h"
#include "setup/manifest.h"
#include "setup/setupdialogs.h"
#include "setup/setuptext.h"
#include "setup/uninstall/uninstallwindow.h"
#include "tests/setup/setupfixture.h"

namespace kovala {
namespace {

namespace fs = std::filesystem;
using test::SetupFixture;

const std::string kDe = "locale/de/LC_MESSAGES/kovala.mo";
const std::string kFr = "locale/fr/LC_MESSAGES/kovala.mo";
const std::vector<std::string> kAllFolders{"locale", "locale/de", "locale/de/LC_MESSAGES", "locale/fr",
                                           "locale/fr/LC_MESSAGES"};

// `bytes` of `fill` at `name` in `directory`, making the folders on the way.
void Catalogue(const std::string& directory, const std::string& name, std::size_t bytes, char fill) {
  fs::create_directories(fs::path(directory + "/" + name).parent_path());
  std::ofstream(directory + "/" + name) << std::string(bytes, fill);
}

template <typename T>
std::string CaseName(const ::testing::TestParamInfo<T>& param) {
  return param.param.name;
}

class Catalogues : public SetupFixture {
 protected:
  void SetUp() override {
    SetupFixture::SetUp();
    target = home + "/kovala";
    Write(dist + "/kovala", 30000, true);
    Write(dist + "/readme.doc", 1500);
    Write(dist + "/uninstall", 12000, true);
    Catalogue(dist, kDe, 4000, 'd');
    Catalogue(dist, kFr, 3000, 'f');
  }
  // Installs into `destination` (made by the run when missing) without
  // any dialog; false when the copy stopped.
  bool Install(const std::string& destination, TDiskWrites* disk = nullptr) {
    TInstallWindow window(desktop, groups, home, dist);
    window.destinationPath = destination;
    if (disk != nullptr) window.disk = disk;
    if (!window.PlanInstallation()) return false;
    kept = window.keptFiles;
    return window.CopyFiles();
  }
  void UnInstall(const std::string& directory) {
    desktop.boxes.answers.push_back(TAnswer::Yes);
    TUnInstallWindow window(desktop, groups, "", directory);
    window.SetupWindow();
  }
  // Every path under `directory`, relative, sorted.
  static std::vector<std::string> Tree(const std::string& directory) {
    std::vector<std::string> paths;
    std::error_code error;
    for (fs::recursive_directory_iterator it(directory, error), end; !error && it != end; it.increment(error))
      paths.push_back(fs::relative(it->path(), directory).string());
    std::sort(paths.begin(), paths.end());
    return paths;
  }

  std::string target;
  std::vector<std::string> kept;
};

TEST_F(Catalogues, FoundInTheSourceOnlyAsRegularFilesInLanguageFolders) {
  Write(dist + "/locale/README", 10);
  fs::create_directories(dist + "/locale/es/LC_MESSAGES/kovala.mo");  // a folder, not a catalogue
  fs::create_directories(dist + "/locale/.hidden/LC_MESSAGES");
  Write(dist + "/locale/.hidden/LC_MESSAGES/kovala.mo", 10);
  EXPECT_EQ(FindCatalogues(dist), (std::vector<std::string>{kDe, kFr}));
  EXPECT_TRUE(FindCatalogues(root + "/nowhere").empty());
}

// Into a new folder, into one that already has a locale folder of its own,
// and as an update over an earlier installation whose catalogue changed
// upstream: every catalogue arrives, listed with its hash; the manifest
// names exactly the folders some installation made.
struct InstallCase {
  std::string name;
  bool existingLocale;  // the teacher's own locale/ is there before
  bool earlier;         // an earlier installation is there
  std::vector<std::string> made;
};
class CatalogueInstall : public Catalogues, public ::testing::WithParamInterface<InstallCase> {};
TEST_P(CatalogueInstall, CopiesListsAndRecordsTheFoldersItMade) {
  if (GetParam().existingLocale) fs::create_directories(target + "/locale");
  if (GetParam().earlier) {
    ASSERT_TRUE(Install(target));
    Catalogue(dist, kDe, 4100, 'D');  // a newer catalogue comes
  }
  ASSERT_TRUE(Install(target)) << (desktop.boxes.messages.empty() ? "" : desktop.boxes.messages.back().text);
  EXPECT_TRUE(kept.empty());
  for (const std::string& name : {kDe, kFr})
    EXPECT_EQ(Read(target + "/" + name), Read(dist + "/" + name)) << name;
  const TManifest manifest = ManifestOf(target);
  EXPECT_TRUE(manifest.finished);
  EXPECT_EQ(NamesIn(manifest), (std::vector<std::string>{"kovala", "readme.doc", kDe, kFr, "uninstall"}));
  std::uint64_t size = 0, hash = 0;
  ASSERT_EQ(HashFile(dist + "/" + kDe, size, hash), 0);
  EXPECT_EQ(manifest.files[2].size, size);
  EXPECT_EQ(manifest.files[2].hash, hash);
  EXPECT_EQ(manifest.madeFolders, GetParam().made);
  for (const std::string& path : Tree(target))
    EXPECT_EQ(fs::path(path).filename().string()[0] == '.', false) << "a hidden copy is left: " << path;
}
INSTANTIATE_TEST_SUITE_P(Cases, CatalogueInstall,
                         ::testing::Values(InstallCase{"Fresh", false, false, kAllFolders},
                                           InstallCase{"TeachersLocaleFolder",
                                                       true,
                                                       false,
                                                       {"locale/de", "locale/de/LC_MESSAGES", "locale/fr",
                                                        "locale/fr/LC_MESSAGES"}},
                                           InstallCase{"UpdateKeepsTheEarlierFoldersListed", false, true,
                                                       kAllFolders}),
                         CaseName<InstallCase>);

TEST_F(Catalogues, TheDiskSpaceDialogCountsThem) {
  TInstallWindow window(desktop, groups, home, dist);
  desktop.modalAnswers.push_back(IdCancel);
  ASSERT_TRUE(window.PlanInstallation());
  window.RunInstallation();
  // 30 + 1 + 12 + 4 + 3
  EXPECT_EQ(desktop.Dialog("DiskSpace")->Text(diskspace::Needed), "50 kB");
}

// Something of somebody else's where a catalogue would go stays byte for
// byte, unlisted, and is named; nothing is written through a link.
struct InTheWayCase {
  std::string name;
  std::function<void(const std::string& target, const std::string& outside)> plant;
  std::vector<std::string> kept;
};
class CatalogueInTheWay : public Catalogues, public ::testing::WithParamInterface<InTheWayCase> {};
TEST_P(CatalogueInTheWay, IsKeptAndNamed) {
  const std::string outside = root + "/outside";
  fs::create_directories(outside);
  fs::create_directories(target);
  GetParam().plant(target, outside);
  const std::vector<std::string> before = Tree(target);
  std::vector<std::string> contents;
  for (const std::string& path : before)
    if (fs::is_regular_file(fs::symlink_status(target + "/" + path)))
      contents.push_back(Read(target + "/" + path));
  ASSERT_TRUE(Install(target));
  EXPECT_EQ(kept, GetParam().kept);
  const std::vector<std::string> listed = NamesIn(ManifestOf(target));
  for (const std::string& name : GetParam().kept)
    EXPECT_EQ(std::count(listed.begin(), listed.end(), name), 0) << name;
  std::size_t i = 0;
  for (const std::string& path : before) {
    if (fs::is_regular_file(fs::symlink_status(target + "/" + path))) {
      EXPECT_EQ(Read(target + "/" + path), contents[i++]) << path;
    }
  }
  EXPECT_TRUE(fs::is_empty(outside)) << "written through a link";
}
INSTANTIATE_TEST_SUITE_P(Planted, CatalogueInTheWay,
                         ::testing::Values(InTheWayCase{"ForeignCatalogue",
                                                        [](const std::string& into, const std::string&) {
                                                          Catalogue(into, kDe, 77, 's');
                                                        },
                                                        {kDe}},
                                           InTheWayCase{"FileForAFolder",
                                                        [](const std::string& into, const std::string&) {
                                                          fs::create_directories(into + "/locale");
                                                          Catalogue(into, "locale/fr", 5, 'f');
                                                        },
                                                        {kFr}},
                                           InTheWayCase{"LinkedLanguageFolder",
                                                        [](const std::string& into, const std::string& away) {
                                                          fs::create_directories(into + "/locale");
                                                          fs::create_directory_symlink(away,
                                                                                       into + "/locale/de");
                                                        },
                                                        {kDe}},
                                           InTheWayCase{"LinkedLocaleFolder",
                                                        [](const std::string& into, const std::string& away) {
                                                          fs::create_directory_symlink(away,
                                                                                       into + "/locale");
                                                        },
                                                        {kDe, kFr}}),
                         CaseName<InTheWayCase>);

TEST_F(Catalogues, AForeignCatalogueIsNamedToTheTeacher) {
  Catalogue(target, kDe, 77, 's');
  TInstallWindow window(desktop, groups, home, dist);
  window.destinationPath = target;
  ASSERT_TRUE(window.PlanInstallation());
  window.RunInstallation();
  ASSERT_EQ(desktop.boxes.messages.size(), 2u);
  EXPECT_EQ(desktop.boxes.messages[0].text,
            Concat({"These files were already in ", target,
                    " and were not put there by the installer. They have been kept as they are:\n", kDe}));
  EXPECT_EQ(Read(target + "/" + kDe), std::string(77, 's'));
}

// A disk that fills up in the catalogues, and a language folder that cannot
// be written: the run takes back the folders it made and the manifest.
TEST_F(Catalogues, AFailureInTheCataloguesTakesBackTheFoldersTheRunMade) {
  // The first manifest, the program and the read-me take some 31700
  // bytes; the catalogues come next.
  for (const bool existing : {false, true}) {
    SCOPED_TRACE(existing);
    fs::remove_all(target);
    if (existing) fs::create_directories(target);
    test::TLimitedDisk full(33000);
    EXPECT_FALSE(Install(target, &full));
    ASSERT_FALSE(desktop.boxes.messages.empty());
    EXPECT_NE(desktop.boxes.messages.back().text.find("/kovala/locale/"), std::string::npos)
        << desktop.boxes.messages.back().text;
    if (existing)
      EXPECT_EQ(Tree(target), std::vector<std::string>{});
    else
      EXPECT_FALSE(Exists(target));
  }
}

TEST_F(Catalogues, AnUnwritableLanguageFolderStopsTheRunAndLeavesNothing) {
  fs::create_directories(target + "/locale/fr/LC_MESSAGES");
  for (const std::string& dir : {target, target + "/locale", target + "/locale/fr"})
    ASSERT_EQ(chown(dir.c_str(), 65534, 65534), 0);
  chmod((target + "/locale/fr/LC_MESSAGES").c_str(), 0555);  // root's, closed to others
  for (const std::string& dir : {dist + "/locale", dist + "/locale/de", dist + "/locale/de/LC_MESSAGES",
                                 dist + "/locale/fr", dist + "/locale/fr/LC_MESSAGES"})
    chmod(dir.c_str(), 0755);
  const int status = RunAsNobody([&] {
    test::TFakeSetupDesktop d;
    TInstallWindow w(d, groups, home, dist);
    w.destinationPath = target;
    if (!w.PlanInstallation()) return 1;
    if (w.CopyFiles()) return 2;
    const std::string text = d.boxes.messages.empty() ? "" : d.boxes.messages.back().text;
    if (text.find(target + "/" + kFr + " could not be written.\nPermission denied.") == std::string::npos)
      return 3;
    // locale/de, which this run made, is gone; the teacher's folders stay.
    if (Tree(target) != std::vector<std::string>{"locale", "locale/fr", "locale/fr/LC_MESSAGES"}) return 4;
    return 0;
  });
  EXPECT_EQ(status, 0);
}

// The un-installer takes every catalogue and every folder an installation
// made, deepest first, but a folder with a student's file in it stays, and
// a catalogue changed since stays and is named.
struct RemovalCase {
  std::string name;
  std::function<void(const std::string& target)> afterInstall;
  std::vector<std::string> left;  // the tree after the removal; empty: the folder is gone
  bool completed;
};
class CatalogueRemoval : public Catalogues, public ::testing::WithParamInterface<RemovalCase> {};
TEST_P(CatalogueRemoval, LeavesNothingOfOursAndEverythingElse) {
  ASSERT_TRUE(Install(target));
  GetParam().afterInstall(target);
  UnInstall(target);
  if (GetParam().left.empty())
    EXPECT_FALSE(Exists(target)) << Tree(target).size();
  else
    EXPECT_EQ(Tree(target), GetParam().left);
  ASSERT_FALSE(desktop.boxes.messages.empty());
  EXPECT_EQ(desktop.boxes.messages.back().text == "Un-Install of Kovala completed.", GetParam().completed)
      << desktop.boxes.messages.back().text;
}
INSTANTIATE_TEST_SUITE_P(
    Cases, CatalogueRemoval,
    ::testing::Values(
        RemovalCase{"Everything", [](const std::string&) {}, {}, true},
        RemovalCase{"StudentFileKeepsItsFolder",
                    [](const std::string& into) { Catalogue(into, "locale/de/notes.txt", 3, 'n'); },
                    {"locale", "locale/de", "locale/de/notes.txt"},
                    true},
        RemovalCase{"ChangedCatalogueStays",
                    [](const std::string& into) { Catalogue(into, kFr, 10, 'x'); },
                    {"locale", "locale/fr", "locale/fr/LC_MESSAGES", kFr},
                    false},
        RemovalCase{"TeachersFolderInTheWayOfNothing",
                    [](const std::string& into) { fs::create_directories(into + "/locale/es/LC_MESSAGES"); },
                    {"locale", "locale/es", "locale/es/LC_MESSAGES"},
                    true}),
    CaseName<RemovalCase>);

TEST_F(Catalogues, AChangedCatalogueIsNamed) {
  ASSERT_TRUE(Install(target));
  Catalogue(target, kFr, 10, 'x');
  UnInstall(target);
  EXPECT_EQ(desktop.boxes.messages.back().text,
            Concat({"Kovala was not removed completely from ", target, ". Left there:\n", kFr,
                    ": changed since it was installed, so it was kept."}));
}

TEST_F(Catalogues, RemovalNeverFollowsALinkOutOfTheFolder) {
  ASSERT_TRUE(Install(target));
  // A student swaps the language folder for a link to an identical copy elsewhere.
  const std::string outside = root + "/outside";
  fs::create_directories(outside + "/LC_MESSAGES");
  fs::copy_file(target + "/" + kDe, outside + "/LC_MESSAGES/kovala.mo");
  fs::remove_all(target + "/locale/de");
  fs::create_directory_symlink(outside, target + "/locale/de");
  UnInstall(target);
  EXPECT_TRUE(Exists(outside + "/LC_MESSAGES/kovala.mo"));
  EXPECT_TRUE(Exists(target + "/locale/de"));
  EXPECT_FALSE(Exists(target + "/" + kFr));
}

// Names a manifest could use to send the un-installer outside its folder
// are dropped on reading, as file names and as made folders alike.
TEST(ManifestNames, OnlyPathsWithinTheFolderAreRead) {
  struct Case {
    std::string name;
    bool accepted;
  };
  const Case cases[] = {{"locale/de/LC_MESSAGES/kovala.mo", true},
                        {"locale", true},
                        {"water.kvl", true},
                        {"../x.kvl", false},
                        {"locale/../../x", false},
                        {"locale/..", false},
                        {"/etc/passwd", false},
                        {"locale//de", false},
                        {"locale/de/", false},
                        {"locale/./de", false},
                        {".", false},
                        {"locale/.hidden", false},
                        {"loc\tale", false},
                        {"locale/d\x7f", false},
                        {"locale/de\r", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IsInstalledName(c.name), c.accepted);
    TManifest manifest;
    ASSERT_TRUE(ParseManifest(
        Concat({"kovala.installed 2\nfile 5 1f ", c.name, "\nmade-folder ", c.name, "\n"}), manifest));
    EXPECT_EQ(manifest.files.size(), c.accepted ? 1u : 0u);
    EXPECT_EQ(manifest.madeFolders.size(), c.accepted ? 1u : 0u);
  }
  // An old plain list never named anything but the folder's own files.
  TManifest old;
  ASSERT_TRUE(ParseManifest("kovala\nlocale/de/LC_MESSAGES/kovala.mo\n", old));
  ASSERT_EQ(old.files.size(), 1u);
  EXPECT_EQ(old.files[0].name, "kovala");
}

TEST(ManifestNames, MadeFoldersAndCatalogueFilesReadBack) {
  TManifest manifest;
  manifest.createdFolder = true;
  manifest.files = {{"kovala", 30000, 0x9b9a52953d115909ULL, true, false}, {kDe, 4000, 0x1234, true, false}};
  manifest.madeFolders = {"locale", "locale/de", "locale/de/LC_MESSAGES"};
  TManifest back;
  ASSERT_TRUE(ParseManifest(FormatManifest(manifest), back));
  EXPECT_EQ(back.files, manifest.files);
  EXPECT_EQ(back.madeFolders, manifest.madeFolders);
  EXPECT_EQ(TemporaryName(kDe, "0123456789abcdef"),
            "locale/de/LC_MESSAGES/.kovala.mo.0123456789abcdef.copying");
  EXPECT_EQ(TemporaryName("kovala", "0123456789abcdef"), ".kovala.0123456789abcdef.copying");
}

TEST_F(Catalogues, AManifestsFoldersOutsideAreNeverRemoved) {
  ASSERT_TRUE(Install(target));
  fs::create_directories(home + "/empty");
  std::ofstream(target + "/kovala.installed", std::ios::app)
      << "made-folder ../empty\nmade-folder " << home << "/empty\n";
  UnInstall(target);
  EXPECT_TRUE(Exists(home + "/empty"));
  EXPECT_FALSE(Exists(target));
}

#ifdef KOVALA_DIST_DIR
TEST(DistributionFolder, CarriesTheCatalogueOfEveryLanguage) {
  std::ifstream linguas(KOVALA_LINGUAS);
  std::vector<std::string> expected;
  for (std::string line; std::getline(linguas, line);)
    if (!line.empty() && line[0] != '#')
      expected.push_back(Concat({"locale/", line, "/LC_MESSAGES/kovala.mo"}));
  std::sort(expected.begin(), expected.end());
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(FindCatalogues(KOVALA_DIST_DIR), expected);
  const auto contents = [](const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  };
  for (const std::string& name : expected) {
    const std::string copied = contents(Concat({KOVALA_DIST_DIR, "/", name}));
    EXPECT_FALSE(copied.empty()) << name;
    EXPECT_EQ(copied, contents(Concat({KOVALA_BUILD_LOCALE, "/", name.substr(7)}))) << name;
  }
}
#endif

}  // namespace
}  // namespace kovala
