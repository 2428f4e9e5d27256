#include "setup/xdgprogramgroups.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "base/wholefile.h"
#include "i18n/translate.h"
#include "setup/filetype.h"
#include "setup/installset.h"
#include "setup/setuptext.h"

namespace kovala {

namespace fs = std::filesystem;

namespace {

// Launcher and menu files carry this vendor prefix, as the menu tools ask.
const std::string Vendor = "kovala-";

std::string Slug(const std::string& name) {
  std::string slug;
  for (unsigned char c : name) slug += std::isalnum(c) ? static_cast<char>(std::tolower(c)) : '_';
  return slug;
}

std::string DirectoryFileName(const std::string& group) { return Vendor + Slug(group) + ".directory"; }
std::string LauncherPrefix(const std::string& group) { return Vendor + Slug(group) + "-"; }

// A quoted argument of an Exec line, escaped twice: for the command line and
// for the desktop file's string value.
std::string ExecArgument(const std::string& argument) {
  std::string exec = "\"";
  for (char c : argument) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') exec += '\\';
    exec += c;
    if (c == '%') exec += '%';
  }
  exec += '"';
  std::string value;
  for (char c : exec) {
    if (c == '\\') value += '\\';
    value += c;
  }
  return value;
}

// A string value of a desktop entry: a backslash is doubled and the
// characters that would end or bend the line are escaped.
std::string StringValue(const std::string& text) {
  std::string value;
  for (char c : text) {
    switch (c) {
      case '\\': value += "\\\\"; break;
      case '\n': value += "\\n"; break;
      case '\r': value += "\\r"; break;
      case '\t': value += "\\t"; break;
      default: value += c;
    }
  }
  return value;
}

// What each item's launcher says of itself.
std::string CommentOf(const std::string& file) {
  const std::string name = fs::path(file).filename().string();
  if (name == "kovala") return Tr("Build molecules from atoms and turn them in 3-D");
  if (name == "uninstall") return Tr("Remove Kovala from this computer");
  return Tr("Notes for teachers on Kovala");
}

}  // namespace

bool ParseGroupCommands(const std::string& text, std::vector<TGroupCommand>& commands) {
  commands.clear();
  std::size_t at = 0;
  while (at < text.size()) {
    if (text[at] != '[') return false;
    const std::size_t open = text.find('(', at);
    if (open == std::string::npos) return false;
    TGroupCommand command{text.substr(at + 1, open - at - 1), {}};
    if (command.name.find_first_of("[]),\"") != std::string::npos) return false;
    at = open + 1;
    for (;;) {
      std::string argument;
      if (at < text.size() && text[at] == '"') {
        // A quoted argument runs to the next lone quote; "" is a quote.
        for (++at;; ++at) {
          if (at >= text.size()) return false;
          if (text[at] == '"') {
            if (at + 1 < text.size() && text[at + 1] == '"') {
              argument += '"';
              ++at;
              continue;
            }
            ++at;
            break;
          }
          argument += text[at];
        }
      } else {
        const std::size_t end = text.find_first_of(",)", at);
        if (end == std::string::npos) return false;
        argument = text.substr(at, end - at);
        at = end;
      }
      command.arguments.push_back(argument);
      if (at < text.size() && text[at] == ',') {
        ++at;
        continue;
      }
      if (text.compare(at, 2, ")]") != 0) return false;
      at += 2;
      break;
    }
    commands.push_back(command);
  }
  return !commands.empty();
}

std::string LauncherCommand(const std::string& file) {
  if (access(file.c_str(), X_OK) == 0 && !fs::is_directory(file)) return ExecArgument(file);
  return "xdg-open " + ExecArgument(file);
}

bool TXdgProgramGroups::Connect() {
  tool = FindOnPath("xdg-desktop-menu");
  return !tool.empty();
}

bool TXdgProgramGroups::Execute(const std::string& commandText) {
  std::vector<TGroupCommand> commands;
  if (tool.empty() || !ParseGroupCommands(commandText, commands)) return false;
  bool done = true;
  for (std::size_t i = 0; i < commands.size(); ++i) {
    const TGroupCommand& command = commands[i];
    if (command.name == "CreateGroup" && command.arguments.size() == 1) {
      std::vector<TGroupCommand> items;
      while (i + 1 < commands.size() && commands[i + 1].name == "AddItem") items.push_back(commands[++i]);
      done = CreateGroup(command.arguments[0], items) && done;
    } else if (command.name == "DeleteGroup" && command.arguments.size() == 1) {
      done = DeleteGroup(command.arguments[0]) && done;
    } else {
      done = false;
    }
  }
  return done;
}

bool TXdgProgramGroups::CreateGroup(const std::string& group, const std::vector<TGroupCommand>& items) {
  std::error_code error;
  std::string work = (fs::temp_directory_path(error) / "kovala-menu-XXXXXX").string();
  if (mkdtemp(work.data()) == nullptr) return false;

  std::string groupIcon;
  std::vector<std::pair<std::string, std::string>> typedLaunchers;  // file name, whole entry
  std::vector<std::string> arguments{tool, "install", "--mode", "user"};
  const std::string directoryFile = work + "/" + DirectoryFileName(group);
  arguments.push_back(directoryFile);
  bool written = true;
  for (const TGroupCommand& item : items) {
    if (item.arguments.size() != 3) {
      written = false;
      continue;
    }
    const std::string& commandLine = item.arguments[0];
    const std::string& name = item.arguments[1];
    // The launchers show the program's own icon, installed beside it.
    const fs::path iconBeside = fs::path(item.arguments[2]).parent_path() / "kovala.png";
    const std::string icon = fs::exists(iconBeside, error) ? iconBeside.string() : item.arguments[2];
    if (groupIcon.empty()) groupIcon = icon;
    const std::string launcher = LauncherPrefix(group) + Slug(name) + ".desktop";
    const std::string file = work + "/" + launcher;
    // A program item starts in its program's directory, where the
    // un-installer looks for the installation first.
    const std::string workingDirectory = fs::path(item.arguments[2]).parent_path().string();
    const bool program = fs::path(commandLine).filename() == "kovala";
    const std::string exec = LauncherCommand(commandLine);
    // The program started directly opens the molecule file it is given.
    const bool opensFiles = program && !exec.starts_with("xdg-open ");
    std::string entry = Concat({"[Desktop Entry]\nType=Application\nName=", StringValue(Tr(name)),
                                "\nComment=", StringValue(CommentOf(commandLine)), "\nExec=", exec,
                                opensFiles ? " %f" : "", "\nPath=", StringValue(workingDirectory),
                                "\nIcon=", StringValue(icon), "\nTerminal=false\n"});
    if (program) entry += "Categories=Education;Science;Chemistry;\n";
    std::ofstream out(file);
    out << entry;
    written = static_cast<bool>(out) && written;
    // The menu tool would make an entry with a file type the user's default
    // for it in defaults.list, a file shared with every other program that
    // no un-installer could give back; so the type is added to the entry
    // only once the tool has put it in place.
    if (opensFiles) typedLaunchers.emplace_back(launcher, Concat({entry, "MimeType=", MoleculeType, ";\n"}));
    arguments.push_back(file);
  }
  {
    std::ofstream out(directoryFile);
    out << "[Desktop Entry]\nType=Directory\nName=" << StringValue(Tr(group)) << "\n";
    if (!groupIcon.empty()) out << "Icon=" << StringValue(groupIcon) << "\n";
    written = static_cast<bool>(out) && written;
  }
  bool done = written && Run(arguments) == 0;
  fs::remove_all(work, error);
  if (done) {
    const std::string applications = TUserTypePlaces(UserDataHome()).applications;
    for (const auto& [launcher, entry] : typedLaunchers) {
      const std::string path = JoinPath(applications, launcher);
      struct stat info {};
      const mode_t mode = lstat(path.c_str(), &info) == 0 ? info.st_mode & 0777 : 0644;
      done = ReplaceWholeFile(path, entry, TWholeFile::Private(mode)).Ok() && done;
    }
  }
  return done;
}

bool TXdgProgramGroups::DeleteGroup(const std::string& group) {
  std::vector<std::string> arguments{tool, "uninstall", "--mode", "user", DirectoryFileName(group)};
  std::error_code error;
  const std::string prefix = LauncherPrefix(group);
  for (fs::directory_iterator it(TUserTypePlaces(UserDataHome()).applications, error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.starts_with(prefix) && name.ends_with(".desktop")) arguments.push_back(name);
  }
  return Run(arguments) == 0;
}

int TXdgProgramGroups::Run(const std::vector<std::string>& arguments) const { return RunQuietly(arguments); }

}  // namespace kovala
