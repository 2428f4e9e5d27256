#include "app/startarguments.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kovala {
namespace {

struct TArgumentsCase {
  const char* name;
  std::vector<std::string> arguments;
  std::optional<std::string> file;
  std::vector<std::string> ignored;  // in the order they were reported
};

class StartArgumentsTest : public testing::TestWithParam<TArgumentsCase> {};

TEST_P(StartArgumentsTest, TakesOneFileAndReportsTheRest) {
  const TArgumentsCase& c = GetParam();
  std::ostringstream errors;
  EXPECT_EQ(StartFileArgument(c.arguments, errors), c.file);

  std::string expected;
  for (const std::string& argument : c.ignored) expected += "kovala: ignoring argument \"" + argument + "\"\n";
  EXPECT_EQ(errors.str(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, StartArgumentsTest,
    testing::Values(TArgumentsCase{"none", {}, std::nullopt, {}},
                    TArgumentsCase{"one_file", {"/home/ann/water.kvl"}, "/home/ann/water.kvl", {}},
                    TArgumentsCase{"relative_file", {"water.kvl"}, "water.kvl", {}},
                    TArgumentsCase{"second_file", {"a.kvl", "b.kvl"}, "a.kvl", {"b.kvl"}},
                    TArgumentsCase{"option_before_file", {"--full-screen", "a.kvl"}, "a.kvl", {"--full-screen"}},
                    TArgumentsCase{"option_after_file", {"a.kvl", "-x"}, "a.kvl", {"-x"}},
                    TArgumentsCase{"only_options", {"-v", "--help"}, std::nullopt, {"-v", "--help"}},
                    TArgumentsCase{"empty_argument", {"", "a.kvl"}, "a.kvl", {""}},
                    TArgumentsCase{"name_with_spaces", {"my molecules/ethanol 2.kvl"},
                                   "my molecules/ethanol 2.kvl", {}}),
    [](const testing::TestParamInfo<TArgumentsCase>& c) { return std::string(c.param.name); });

}  // namespace
}  // namespace kovala
