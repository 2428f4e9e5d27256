// The molecule file type a folder installation gives its user: written
// beside the user's other types, listed in the manifest, taken back by the
// un-installer only while unchanged, and nothing else of the desktop touched.
#include "setup/filetype.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "model/moleculefile.h"
#include "setup/install/installwindow.h"
#include "setup/setuptext.h"
#include "setup/uninstall/uninstallwindow.h"
#include "setup/xdgprogramgroups.h"
#include "tests/setup/setupfixture.h"

namespace kovala {
namespace {

namespace fs = std::filesystem;

// Counts the refreshes; makes the handlers' cache as the real tool would
// where the applications folder is.
class TRecordingCaches : public IDesktopCaches {
 public:
  void Refresh(const TUserTypePlaces& places) override {
    ++refreshes;
    if (fs::is_directory(places.applications)) std::ofstream(places.desktopCache) << "[MIME Cache]\n";
  }
  int refreshes = 0;
};

class FileType : public test::SetupFixture {
 protected:
  void SetUp() override {
    SetupFixture::SetUp();
    Write(dist + "/kovala", 3000, true);
    Write(dist + "/readme.doc", 1500);
    Write(dist + "/uninstall", 1200, true);
    places = std::make_unique<TUserTypePlaces>(UserDataHome());
    target = home + "/kovala";
  }

  // The installation as the Install and Next buttons run it.
  void Install(IDesktopCaches& caches, IProgramGroupService& service, int createGroup = 1) {
    TInstallWindow window(desktop, service, home, dist);
    window.caches = &caches;
    window.destinationPath = target;
    window.createGroup = createGroup;
    ASSERT_TRUE(window.PlanInstallation());
    ASSERT_TRUE(window.CopyFiles());
    if (window.createGroup == 1) {
      window.CreateProgramGroup();
      window.InstallFileType();
    }
  }
  void Remove(IDesktopCaches& caches, IProgramGroupService& service) {
    desktop.boxes.answers.push_back(TAnswer::Yes);
    TUnInstallWindow window(desktop, service, "", target);
    window.caches = &caches;
    window.SetupWindow();
  }

  // Every file under the home but the installation folder, with its bytes.
  std::map<std::string, std::string> Files() const {
    std::map<std::string, std::string> files;
    for (auto it = fs::recursive_directory_iterator(home); it != fs::recursive_directory_iterator(); ++it) {
      if (it->path() == target) {
        it.disable_recursion_pending();
        continue;
      }
      if (it->is_regular_file()) files[it->path().string()] = Read(it->path().string());
    }
    return files;
  }

  std::unique_ptr<TUserTypePlaces> places;
  std::string target;
};

struct TTypeCase {
  const char* what;
  std::function<void(const TUserTypePlaces&, const std::string& home)>
      before;  // the home as the teacher has it
  std::function<void(const TUserTypePlaces&, const std::string& target)> between;  // after the installation
  bool listed;          // the installer lists and writes its type file
  std::size_t folders;  // folders it lists as made for it
  bool packageStays;    // the type file is there after the removal
  bool mimeFolderStays;
  std::size_t removalMessages;  // besides the question: 1 is the completion
};

void PrintTo(const TTypeCase& c, std::ostream* out) { *out << c.what; }

class FileTypeCases : public FileType, public ::testing::WithParamInterface<TTypeCase> {};

TEST_P(FileTypeCases, TheUninstallerTakesBackExactlyWhatTheInstallerGave) {
  const TTypeCase& c = GetParam();
  if (c.before) c.before(*places, home);
  const auto planted = Files();
  TRecordingCaches caches;

  Install(caches, groups);
  const TManifest manifest = ManifestOf(target);
  EXPECT_EQ(manifest.desktopFiles.size(), c.listed ? 1u : 0u);
  if (c.listed) {
    EXPECT_EQ(manifest.desktopFiles[0].name, places->package);
    EXPECT_EQ(Read(places->package), std::string(MoleculeTypePackage()));
    EXPECT_EQ(caches.refreshes, 1);
  }
  EXPECT_EQ(manifest.desktopFolders.size(), c.folders);
  EXPECT_EQ(desktop.boxes.messages.size(), 0u) << desktop.boxes.messages[0].text;
  if (c.between) c.between(*places, target);
  const auto beforeRemoval = Files();

  Remove(caches, groups);
  EXPECT_EQ(Exists(places->package), c.packageStays);
  EXPECT_EQ(Exists(places->mimeFolder), c.mimeFolderStays);
  EXPECT_EQ(desktop.boxes.messages.size(), 1 + c.removalMessages);
  // What was there before the installation is there still, byte for byte.
  const auto after = Files();
  for (const auto& [path, bytes] : planted) {
    ASSERT_TRUE(after.count(path)) << path << " is gone";
    EXPECT_EQ(after.at(path), bytes) << path;
  }
  if (c.packageStays && beforeRemoval.count(places->package)) {
    EXPECT_EQ(after.at(places->package), beforeRemoval.at(places->package));
  }
}

void PutFile(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path) << bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Homes, FileTypeCases,
    ::testing::Values(TTypeCase{"a bare home", nullptr, nullptr, true, 2, false, false, 1},
                      TTypeCase{"another program's type beside it",
                                [](const TUserTypePlaces& p, const std::string&) {
                                  PutFile(p.packagesFolder + "/other.xml", "<mime-info/>");
                                },
                                nullptr, true, 0, false, true, 1},
                      TTypeCase{"a type file of the same name the installer did not write",
                                [](const TUserTypePlaces& p, const std::string&) {
                                  PutFile(p.package, "<mime-info/>");
                                },
                                nullptr, false, 0, true, true, 1},
                      TTypeCase{"the type file changed after the installation", nullptr,
                                [](const TUserTypePlaces& p, const std::string&) {
                                  std::ofstream(p.package, std::ios::app) << "<!-- a teacher's note -->";
                                },
                                true, 2, true, true, 1},
                      TTypeCase{"a manifest that names another file of the home",
                                [](const TUserTypePlaces&, const std::string& home) {
                                  PutFile(home + "/.profile", "PATH=x\n");
                                },
                                [](const TUserTypePlaces&, const std::string& target) {
                                  // The right size and hash: only the path keeps it safe.
                                  TManifest manifest;
                                  int error = 0;
                                  ReadManifest(target + "/kovala.installed", manifest, error);
                                  const std::string profile = fs::path(target).parent_path() / ".profile";
                                  TManifestEntry entry{profile, 0, 0};
                                  HashFile(profile, entry.size, entry.hash);
                                  manifest.desktopFiles.push_back(entry);
                                  manifest.desktopFolders.push_back(fs::path(target).parent_path());
                                  std::ofstream(target + "/kovala.installed") << FormatManifest(manifest);
                                },
                                true, 2, false, false, 1}),
    [](const ::testing::TestParamInfo<TTypeCase>& param) { return Concat({"Case", std::to_string(param.index)}); });

TEST_F(FileType, WithoutTheProgramGroupNothingOutsideTheFolderIsTouched) {
  TRecordingCaches caches;
  Install(caches, groups, 0);
  EXPECT_FALSE(Exists(places->mimeFolder));
  EXPECT_EQ(caches.refreshes, 0);
  const TManifest manifest = ManifestOf(target);
  EXPECT_TRUE(manifest.desktopFiles.empty());
  EXPECT_TRUE(manifest.desktopFolders.empty());
  Remove(caches, groups);
  EXPECT_EQ(caches.refreshes, 0);
}

TEST_F(FileType, AnUpdateKeepsWhatTheFirstInstallationMade) {
  TRecordingCaches caches;
  Install(caches, groups);
  // The update runs without the group: the type stays listed all the same.
  Install(caches, groups, 0);
  EXPECT_EQ(ManifestOf(target).desktopFolders.size(), 2u);
  Install(caches, groups);
  const TManifest manifest = ManifestOf(target);
  EXPECT_EQ(manifest.desktopFiles.size(), 1u);
  EXPECT_EQ(manifest.desktopFolders.size(), 2u);
  Remove(caches, groups);
  EXPECT_FALSE(Exists(places->mimeFolder));
  EXPECT_FALSE(Exists(target));
}

TEST(ManifestDesktopLines, AreReadBackAndOnlyAsFullPaths) {
  TManifest manifest;
  manifest.desktopFiles.push_back(
      TManifestEntry{"/home/ms/.local/share/mime/packages/kovala-molecule.xml", 457, 42});
  manifest.desktopFolders = {"/home/ms/.local/share/mime"};
  manifest.desktopCaches = {"/home/ms/.local/share/applications/mimeinfo.cache"};
  TManifest back;
  ASSERT_TRUE(ParseManifest(FormatManifest(manifest), back));
  EXPECT_EQ(back.desktopFiles, manifest.desktopFiles);
  EXPECT_EQ(back.desktopFolders, manifest.desktopFolders);
  EXPECT_EQ(back.desktopCaches, manifest.desktopCaches);
  EXPECT_TRUE(back.files.empty());

  const std::string bad =
      "kovala.installed 2\n"
      "desktop-file 1 00000000000000aa relative/kovala-molecule.xml\n"
      "desktop-file 1 - /pending/is/never/outside\n"
      "desktop-folder /a/../b\n"
      "desktop-folder ..\n"
      "desktop-cache /a/..\n";
  ASSERT_TRUE(ParseManifest(bad, back));
  EXPECT_TRUE(back.desktopFiles.empty());
  EXPECT_TRUE(back.desktopFolders.empty());
  EXPECT_TRUE(back.desktopCaches.empty());
}

// The desktop's own tools, in a private data folder: a saved molecule opens
// in the installed program, and after the removal neither the type nor the
// handler is left, and no file of the desktop changed.
std::string Query(const std::string& arguments) {
  FILE* tool = popen(Concat({"xdg-mime query ", arguments, " 2>/dev/null"}).c_str(), "r");
  if (tool == nullptr) return "?";
  std::string out;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, tool) != nullptr) out += buffer;
  pclose(tool);
  while (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

// Sets an environment variable for one test and gives the old value back.
class TScopedVariable {
 public:
  TScopedVariable(const char* variableName, const std::string& value) : name(variableName) {
    if (const char* old = std::getenv(name)) saved = old;
    had = std::getenv(name) != nullptr;
    setenv(name, value.c_str(), 1);
  }
  ~TScopedVariable() {
    if (had)
      setenv(name, saved.c_str(), 1);
    else
      unsetenv(name);
  }

 private:
  const char* name;
  std::string saved;
  bool had = false;
};

class FileTypeOnTheDesktop : public FileType, public ::testing::WithParamInterface<bool> {};
TEST_P(FileTypeOnTheDesktop, OpensMoleculesUntilRemoved) {
  for (const char* tool :
       {"xdg-mime", "xdg-desktop-menu", "update-mime-database", "update-desktop-database", "gio"})
    if (FindOnPath(tool).empty()) GTEST_SKIP() << tool << " is not installed";
  // Only the private folders count: the machine's own types and handlers play no part.
  const std::string system = root + "/system";
  fs::create_directories(system);
  const TScopedVariable dataDirs("XDG_DATA_DIRS", system);
  const TScopedVariable configDirs("XDG_CONFIG_DIRS", system);
  const TScopedVariable desktopName("XDG_CURRENT_DESKTOP", "GNOME");
  const bool busyHome = GetParam();
  if (busyHome) {
    // Another program's type, handler and the user's own choices.
    PutFile(
        places->packagesFolder + "/other.xml",
        "<?xml version=\"1.0\"?>\n<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">"
        "<mime-type type=\"application/x-other\"><glob pattern=\"*.oth\"/></mime-type></mime-info>\n");
    PutFile(places->applications + "/other.desktop",
            "[Desktop Entry]\nType=Application\nName=Other\nExec=other %f\nMimeType=application/x-other;\n");
    PutFile(home + "/.config/mimeapps.list", "[Default Applications]\napplication/x-other=other.desktop\n");
    TSystemDesktopCaches::Instance().Refresh(*places);
  }
  const auto before = Files();
  const std::string molecule = home + "/methane.kvl";
  ASSERT_TRUE(SaveMoleculeFile(molecule, TMolecule{}).Ok());

  TXdgProgramGroups service;
  Install(TSystemDesktopCaches::Instance(), service);
  EXPECT_EQ(desktop.boxes.messages.size(), 0u);
  EXPECT_EQ(Query(Concat({"filetype '", molecule, "'"})), "application/x-kovala-molecule");
  EXPECT_EQ(Query("default application/x-kovala-molecule"), "kovala-kovala-kovala.desktop");
  const std::string entry = Read(places->applications + "/kovala-kovala-kovala.desktop");
  EXPECT_NE(entry.find("\nMimeType=application/x-kovala-molecule;\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find(" %f\n"), std::string::npos) << entry;
  // The user's defaults are the user's: nothing was written into them.
  EXPECT_FALSE(Exists(places->applications + "/defaults.list"));
  EXPECT_FALSE(Exists(places->applications + "/mimeapps.list"));
  if (busyHome) {
    EXPECT_EQ(Query("default application/x-other"), "other.desktop");
  }

  Remove(TSystemDesktopCaches::Instance(), service);
  EXPECT_NE(Query(Concat({"filetype '", molecule, "'"})), "application/x-kovala-molecule");
  EXPECT_NE(Query("default application/x-kovala-molecule"), "kovala-kovala-kovala.desktop");
  fs::remove(molecule);
  EXPECT_EQ(Files(), before);
}
INSTANTIATE_TEST_SUITE_P(Homes, FileTypeOnTheDesktop, ::testing::Values(false, true));

}  // namespace
}  // namespace kovala
