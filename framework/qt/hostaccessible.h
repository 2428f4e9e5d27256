// What a screen reader sees of a host widget: the hosted window's name, and
// one child for each item the window reports (an atom, a line of text), with
// its place on the screen. The children are read from the host's list of
// items, which the host keeps and renews as the window changes.
#pragma once

#include <QAccessibleWidget>
#include <functional>
#include <vector>

#include "framework/window.h"

namespace kovala {

class THostWidget;

class THostAccessible : public QAccessibleWidget {
 public:
  explicit THostAccessible(THostWidget* host);
  ~THostAccessible() override;

  QAccessible::Role role() const override;
  QString text(QAccessible::Text t) const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* focusChild() const override;

  // Lets the children past `count` go; their items are gone.
  void ForgetChildrenFrom(int count);

 private:
  THostWidget* Host() const;
  mutable std::vector<QAccessible::Id> children;  // made when first asked for; 0 where not yet
};

// The accessibility factory's answer for a host widget; nullptr for any
// other object. Installed once by the first host widget.
QAccessibleInterface* HostAccessibleFactory(const QString& className, QObject* object);

// Tells the screen reader what changed between two lists of a host's items:
// the children gone (while they still exist), the ones added, and each kept
// child's new name, description, place and state. `replace` swaps the new
// list in between the removals and the additions.
void AnnounceItemChanges(THostWidget& host, const std::vector<TAccessibleItem>& before,
                         const std::vector<TAccessibleItem>& after, const std::function<void()>& replace);

}  // namespace kovala
