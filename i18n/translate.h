// The texts a user reads, in the user's language.
//
// Lookups go through GNU gettext as glibc carries it (libintl is part of the C
// library, so nothing is linked in): it is what Linux desktops and their
// translators already work with (.po catalogues, msgfmt, plural rules per
// language in the catalogue header), and it needs no toolkit, so the windows
// and records stay free of Qt. A source text is its own key: with no
// translation, or in English, the text comes back unchanged.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace kovala {

// Where the compiled catalogues of a program file are looked for, first first:
// beside the program (a folder installation), ../share/locale (a package or
// prefix installation), and the build tree's locale folder (running from the
// build).
std::vector<std::string> LocaleFolderCandidates(const std::string& programFile);

// Reads the user's message language from the environment (LC_ALL,
// LC_MESSAGES, LANG, LANGUAGE) and binds the program's catalogue found from
// the program file. LC_MESSAGES and LC_CTYPE follow the user's locale;
// LC_NUMERIC is set to C, so numbers in files keep their decimal point even
// after the toolkit took the whole user locale. Returns true when
// texts will be translated, false for English (C, POSIX, en_*, unset) or when
// no catalogue folder exists, in which case every lookup returns its source
// text byte for byte.
bool StartTranslations(const std::string& programFile);

// Binds the catalogues under `folder` whatever the locale says; gettext then
// picks the language from LC_MESSAGES and LANGUAGE. StartTranslations ends
// here once it has ruled English out; tests come here directly.
bool StartTranslationsFrom(const std::string& folder);

// Back to the source texts, as before StartTranslations.
void StopTranslations();

bool Translating();

// The text in the user's language. The argument must be a NUL-terminated
// text that outlives the result, as a string literal does.
const char* Tr(const char* text);
std::string Tr(const std::string& text);

// Marks a text for the catalogue where it is only stored (a table row), so
// the place that shows it can look it up with Tr.
constexpr const char* TrNoop(const char* text) { return text; }

// The language the catalogue in use is written in ("de", "fr", "es"); empty
// while the texts are the source texts.
std::string TranslationLanguage();

// One of two texts chosen by a count, in the user's language and by its
// plural rule: English takes `one` for 1 and `many` otherwise.
const char* TrPlural(const char* one, const char* many, unsigned long count);

// A count in words: `one` or `many` by the count, with {0} filled in with
// it ("{0} open bond"). A negative count (a damaged file's) takes the form
// for many, as English does.
std::string TrCounted(const char* one, const char* many, long long count);

// A text whose English word needs a different translation in another place
// (a compound's name, an element's name): the context tells them apart.
const char* TrContext(const char* context, const char* text);
std::string TrContext(const char* context, const std::string& text);

// Fills {0} to {9} in a (translated) pattern with the arguments, so a
// translation may put them in its own order. "{{" stands for a brace; a
// placeholder without its argument stays as written.
std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> arguments);

// True when the language's name (from a locale such as "en_GB.UTF-8",
// "C.UTF-8" or "") means the source texts.
bool IsSourceLanguage(std::string_view locale);

// The catalogue's name, kovala.mo under <folder>/<language>/LC_MESSAGES.
inline constexpr const char* TranslationDomain = "kovala";

}  // namespace kovala
