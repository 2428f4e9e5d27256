// The fixture of every Qt test: a test fails when it leaves a window behind.
// The check runs once the test's own members are gone.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace kovala::test {

class TQtTest : public ::testing::Test {
 protected:
  ~TQtTest() override {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QWidgetList left = QApplication::topLevelWidgets();
    EXPECT_TRUE(left.isEmpty()) << left.size() << " window(s) left behind, the first a "
                                << left.first()->metaObject()->className();
    // Later tests start clean even after a failure here.
    for (QWidget* widget : left)
      if (widget->parentWidget() == nullptr) delete widget;
  }
};

}  // namespace kovala::test
