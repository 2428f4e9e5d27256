// What a screen reader is told of a course window: the row's lines, read
// first, as text where they are drawn, then the row's atoms.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "practice/organicwindow.h"
#include "practice/practicewindow.h"
#include "tests/support/fakehost.h"
#include "tests/support/scripteddesktop.h"

namespace kovala {
namespace {

class CourseAccessibleItems : public testing::TestWithParam<bool> {};

TEST_P(CourseAccessibleItems, LinesFirstWhereTheyAreDrawnThenTheRowsAtoms) {
  test::TFakeHost host;
  test::TScriptedDesktop desktop;
  std::unique_ptr<TCourseWindow> window;
  if (GetParam())
    window = std::make_unique<TOrganicWindow>(host, desktop);
  else
    window = std::make_unique<TPracticeWindow>(host, desktop);
  window->Start();

  std::vector<std::string> lines;
  for (const std::string& line : window->textLines)
    if (!line.empty()) lines.push_back(line);
  ASSERT_FALSE(lines.empty());

  const TRect client = host.ClientRect();
  const std::vector<TAccessibleItem> items = window->AccessibleItems();
  ASSERT_EQ(items.size(), lines.size() + static_cast<std::size_t>(window->AtomCount()));
  std::size_t line = 0;
  for (int i = 0; i < static_cast<int>(window->textLines.size()); ++i) {
    if (window->textLines[static_cast<std::size_t>(i)].empty()) continue;
    const TAccessibleItem& item = items[line++];
    EXPECT_EQ(item.kind, TAccessibleItem::TKind::Text);
    EXPECT_EQ(item.name, window->textLines[static_cast<std::size_t>(i)]);
    EXPECT_EQ(item.rect.top, client.bottom - 100 + 15 * i) << "line " << i;
    EXPECT_EQ(item.rect.left, client.left + 5);
  }
  for (std::size_t a = 0; a < static_cast<std::size_t>(window->AtomCount()); ++a) {
    const TAccessibleItem& item = items[lines.size() + a];
    EXPECT_EQ(item.kind, TAccessibleItem::TKind::Object);
    EXPECT_EQ(item.description, "In the tray") << "a row is laid out in the tray";
    EXPECT_FALSE(item.name.empty());
  }
  EXPECT_EQ(window->AccessibleName(), "Molecule drawing area");
}

INSTANTIATE_TEST_SUITE_P(Courses, CourseAccessibleItems, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& course) {
                           return course.param ? std::string("Organic") : std::string("Practice");
                         });

}  // namespace
}  // namespace kovala
