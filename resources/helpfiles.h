// The program's two help files and the HTML pages that stand for them in
// the help window.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kovala {

// The page for a help file name: "kovala.hlp" -> "kovala.html",
// "WINHELP.HLP" -> "winhelp.html". Case does not matter; an unknown name
// gives an empty string.
std::string_view HelpPage(std::string_view helpFile);

// Where the program's resources keep a help page: ":/help/<page>".
std::string HelpPageResource(std::string_view page);

// Where to look for a help page in a language ("de"), first first: that
// language's page (":/help/de/<page>"), then the English one. Only the
// English page for no language or one that cannot name a folder.
std::vector<std::string> HelpPageResources(std::string_view page, std::string_view language);

}  // namespace kovala
