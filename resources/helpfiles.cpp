#include "resources/helpfiles.h"

#include <algorithm>
#include <cctype>

namespace kovala {

namespace {

struct THelpFile {
  std::string_view file;
  std::string_view page;
};

constexpr THelpFile HelpFiles[] = {
    {"kovala.hlp", "kovala.html"},
    {"winhelp.hlp", "winhelp.html"},
};

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::string_view HelpPage(std::string_view helpFile) {
  for (const THelpFile& help : HelpFiles) {
    if (SameIgnoringCase(help.file, helpFile)) return help.page;
  }
  return {};
}

std::string HelpPageResource(std::string_view page) { return ":/help/" + std::string(page); }

std::vector<std::string> HelpPageResources(std::string_view page, std::string_view language) {
  std::vector<std::string> resources;
  // A language is a few letters; anything else must not reach the path.
  const bool plain =
      !language.empty() && language.size() <= 8 &&
      std::all_of(language.begin(), language.end(), [](char c) { return c >= 'a' && c <= 'z'; });
  if (plain) resources.push_back(HelpPageResource(std::string(language) + "/" + std::string(page)));
  resources.push_back(HelpPageResource(page));
  return resources;
}

}  // namespace kovala
