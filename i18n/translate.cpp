#include "i18n/translate.h"

#include <libintl.h>

#include <clocale>
#include <filesystem>
#include <string>
#include <system_error>

// glibc caches each lookup under the message locale's name, not under
// LANGUAGE; counting this up is gettext's documented way to drop that cache
// when the language is chosen again.
extern "C" int _nl_msg_cat_cntr;

namespace kovala {

namespace fs = std::filesystem;

namespace {

// Set once at start-up, before any window reads a text.
bool translating = false;

bool HasCatalogue(const fs::path& folder) {
  std::error_code error;
  fs::directory_iterator entries(folder, error);
  if (error) return false;
  for (const fs::directory_entry& language : entries) {
    std::error_code ignored;
    if (fs::is_regular_file(language.path() / "LC_MESSAGES" / (std::string(TranslationDomain) + ".mo"), ignored))
      return true;
  }
  return false;
}

}  // namespace

bool IsSourceLanguage(std::string_view locale) {
  if (locale.empty() || locale == "C" || locale == "POSIX") return true;
  if (locale.starts_with("C.") || locale.starts_with("C@")) return true;
  if (!locale.starts_with("en")) return false;
  // "en", "en_GB.UTF-8", "en.UTF-8", "en@quot" — but not "eo" or "enx".
  return locale.size() == 2 || locale[2] == '_' || locale[2] == '.' || locale[2] == '@';
}

std::vector<std::string> LocaleFolderCandidates(const std::string& programFile) {
  std::vector<std::string> folders;
  if (!programFile.empty()) {
    const fs::path programFolder = fs::path(programFile).parent_path();
    folders.push_back((programFolder / "locale").lexically_normal().string());
    folders.push_back((programFolder / ".." / "share" / "locale").lexically_normal().string());
  }
#ifdef KOVALA_BUILD_LOCALE_DIR
  folders.emplace_back(KOVALA_BUILD_LOCALE_DIR);
#endif
  return folders;
}

bool StartTranslations(const std::string& programFile) {
  translating = false;
  // Character classes follow the user so the catalogue's UTF-8 arrives as is.
  // Numbers stay C whatever the toolkit set before (Qt takes the whole user
  // locale at start-up): printf-style writers of exported files must keep
  // their decimal point in every language.
  std::setlocale(LC_CTYPE, "");
  std::setlocale(LC_NUMERIC, "C");
  const char* messages = std::setlocale(LC_MESSAGES, "");
  if (messages == nullptr || IsSourceLanguage(messages)) return false;
  for (const std::string& folder : LocaleFolderCandidates(programFile))
    if (StartTranslationsFrom(folder)) return true;
  return false;
}

bool StartTranslationsFrom(const std::string& folder) {
  if (!HasCatalogue(folder)) return false;
  if (bindtextdomain(TranslationDomain, folder.c_str()) == nullptr) return false;
  bind_textdomain_codeset(TranslationDomain, "UTF-8");
  ++_nl_msg_cat_cntr;
  translating = true;
  return true;
}

void StopTranslations() { translating = false; }

bool Translating() { return translating; }

const char* Tr(const char* text) {
  // The empty text is the catalogue's header key; it is never a message.
  if (!translating || text == nullptr || *text == '\0') return text;
  return dgettext(TranslationDomain, text);
}

std::string Tr(const std::string& text) {
  if (!translating || text.empty()) return text;
  return dgettext(TranslationDomain, text.c_str());
}

std::string TranslationLanguage() {
  if (!translating) return {};
  // The catalogue's header, the translation of the empty text, names its
  // language; a locale without a catalogue gives the empty text back.
  const std::string_view header = dgettext(TranslationDomain, "");
  constexpr std::string_view field = "Language: ";
  const std::size_t at = header.find(field);
  if (at == std::string_view::npos) return {};
  const std::size_t begin = at + field.size();
  const std::size_t end = header.find_first_of("\n_.@", begin);
  return std::string(header.substr(begin, end == std::string_view::npos ? end : end - begin));
}

const char* TrPlural(const char* one, const char* many, unsigned long count) {
  if (!translating) return count == 1 ? one : many;
  return dngettext(TranslationDomain, one, many, count);
}

std::string TrCounted(const char* one, const char* many, long long count) {
  // Any count but 1 reads "many" in English; 2 stands for the negative ones.
  const unsigned long pick = count < 0 ? 2UL : static_cast<unsigned long>(count);
  return FormatText(TrPlural(one, many, pick), {std::to_string(count)});
}

const char* TrContext(const char* context, const char* text) {
  if (!translating || text == nullptr || *text == '\0') return text;
  // Catalogues key a text with a context as "context\004text".
  thread_local std::string key;
  key.assign(context).push_back('\004');
  key.append(text);
  const char* found = dgettext(TranslationDomain, key.c_str());
  return found == key.c_str() ? text : found;
}

std::string TrContext(const char* context, const std::string& text) {
  return TrContext(context, text.c_str());
}

std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> arguments) {
  std::string text;
  text.reserve(pattern.size());
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '{' && i + 1 < pattern.size() && pattern[i + 1] == '{') {
      text += '{';
      ++i;
      continue;
    }
    if (c == '{' && i + 2 < pattern.size() && pattern[i + 1] >= '0' && pattern[i + 1] <= '9' &&
        pattern[i + 2] == '}') {
      const auto index = static_cast<std::size_t>(pattern[i + 1] - '0');
      if (index < arguments.size()) {
        text += *(arguments.begin() + index);
        i += 2;
        continue;
      }
    }
    text += c;
  }
  return text;
}

}  // namespace kovala
