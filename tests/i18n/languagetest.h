// The fixture of the tests that switch the lookups to a language: each test
// starts from the source texts and leaves them so.
#pragma once

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

#include "i18n/translate.h"

namespace kovala {

class TLanguageTest : public ::testing::Test {
 protected:
  void SetUp() override { StopTranslations(); }
  void TearDown() override {
    StopTranslations();
    unsetenv("LANGUAGE");
    std::setlocale(LC_ALL, "C");
  }

  // gettext takes the language from LANGUAGE once the message locale is not
  // plain "C"; C.UTF-8 is always there, unlike de_DE and the others.
  static void UseLanguage(const char* language) {
    ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
    setenv("LANGUAGE", language, 1);
    ASSERT_TRUE(StartTranslationsFrom(KOVALA_TEST_LOCALE_DIR));
  }
};

}  // namespace kovala
