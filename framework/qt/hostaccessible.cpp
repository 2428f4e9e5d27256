#include "framework/qt/hostaccessible.h"

#include <QWindow>
#include <algorithm>

#include "framework/qt/hostwidget.h"

namespace kovala {

namespace {

QString ToQString(const std::string& text) { return QString::fromStdString(text); }

// One item of a host: answers from the host's list by index, so it always
// tells of what is drawn at that place in the list now.
class TItemAccessible : public QAccessibleInterface {
 public:
  TItemAccessible(THostWidget* itemHost, int itemIndex) : host(itemHost), index(itemIndex) {}

  bool isValid() const override {
    return host != nullptr && index < static_cast<int>(host->AccessibleItems().size());
  }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return host ? host->QWidget::window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(host.data()); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* focusChild() const override { return nullptr; }

  QString text(QAccessible::Text t) const override {
    if (!isValid()) return {};
    const TAccessibleItem& item = Item();
    if (t == QAccessible::Name) return ToQString(item.name);
    if (t == QAccessible::Description) return ToQString(item.description);
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}

  QRect rect() const override { return isValid() ? host->ScreenRect(Item().rect) : QRect(); }

  QAccessible::Role role() const override {
    if (!isValid()) return QAccessible::NoRole;
    return Item().kind == TAccessibleItem::TKind::Text ? QAccessible::StaticText : QAccessible::Graphic;
  }

  QAccessible::State state() const override {
    QAccessible::State state;
    if (!isValid()) {
      state.invalid = true;
      return state;
    }
    const TAccessibleItem& item = Item();
    state.movable = item.movable;
    state.focused = item.focused && host->hasFocus();
    state.invisible = !host->isVisible();
    return state;
  }

 private:
  const TAccessibleItem& Item() const { return host->AccessibleItems()[static_cast<std::size_t>(index)]; }

  QPointer<THostWidget> host;
  int index;
};

}  // namespace

THostAccessible::THostAccessible(THostWidget* host) : QAccessibleWidget(host, QAccessible::Canvas) {
  host->AccessibleFaceMade();
}

THostAccessible::~THostAccessible() { ForgetChildrenFrom(0); }

THostWidget* THostAccessible::Host() const { return static_cast<THostWidget*>(widget()); }

QAccessible::Role THostAccessible::role() const { return QAccessible::Canvas; }

QString THostAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
    return ToQString(Host()->Window().AccessibleName());
  return QAccessibleWidget::text(t);
}

int THostAccessible::childCount() const { return static_cast<int>(Host()->AccessibleItems().size()); }

QAccessibleInterface* THostAccessible::child(int index) const {
  if (index < 0 || index >= childCount()) return nullptr;
  if (children.size() <= static_cast<std::size_t>(index)) children.resize(static_cast<std::size_t>(index) + 1, 0);
  QAccessible::Id& id = children[static_cast<std::size_t>(index)];
  if (id == 0) id = QAccessible::registerAccessibleInterface(new TItemAccessible(Host(), index));
  return QAccessible::accessibleInterface(id);
}

int THostAccessible::indexOfChild(const QAccessibleInterface* item) const {
  for (std::size_t i = 0; i < children.size(); ++i)
    if (children[i] != 0 && QAccessible::accessibleInterface(children[i]) == item) return static_cast<int>(i);
  return -1;
}

QAccessibleInterface* THostAccessible::childAt(int x, int y) const {
  const std::vector<TAccessibleItem>& items = Host()->AccessibleItems();
  // The last drawn lies on top.
  for (int i = static_cast<int>(items.size()) - 1; i >= 0; --i)
    if (Host()->ScreenRect(items[static_cast<std::size_t>(i)].rect).contains(x, y)) return child(i);
  return nullptr;
}

QAccessibleInterface* THostAccessible::focusChild() const {
  const std::vector<TAccessibleItem>& items = Host()->AccessibleItems();
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i].focused) return child(static_cast<int>(i));
  return nullptr;
}

void THostAccessible::ForgetChildrenFrom(int count) {
  while (children.size() > static_cast<std::size_t>(std::max(count, 0))) {
    if (children.back() != 0) QAccessible::deleteAccessibleInterface(children.back());
    children.pop_back();
  }
}

QAccessibleInterface* HostAccessibleFactory(const QString& /*className*/, QObject* object) {
  if (auto* host = dynamic_cast<THostWidget*>(object)) return new THostAccessible(host);
  return nullptr;
}

void AnnounceItemChanges(THostWidget& host, const std::vector<TAccessibleItem>& before,
                         const std::vector<TAccessibleItem>& after, const std::function<void()>& replace) {
  const int oldCount = static_cast<int>(before.size());
  const int newCount = static_cast<int>(after.size());
  auto* face = dynamic_cast<THostAccessible*>(QAccessible::queryAccessibleInterface(&host));
  for (int i = oldCount - 1; i >= newCount; --i) {
    QAccessibleEvent gone(&host, QAccessible::ObjectDestroyed);
    gone.setChild(i);
    QAccessible::updateAccessibility(&gone);
  }
  replace();
  if (face != nullptr) face->ForgetChildrenFrom(newCount);

  const auto send = [&host](int i, QAccessible::Event type) {
    QAccessibleEvent event(&host, type);
    event.setChild(i);
    QAccessible::updateAccessibility(&event);
  };
  for (int i = 0; i < std::min(oldCount, newCount); ++i) {
    const TAccessibleItem& was = before[static_cast<std::size_t>(i)];
    const TAccessibleItem& now = after[static_cast<std::size_t>(i)];
    if (was.name != now.name) send(i, QAccessible::NameChanged);
    if (was.description != now.description) send(i, QAccessible::DescriptionChanged);
    if (was.rect != now.rect) send(i, QAccessible::LocationChanged);
    if (was.movable != now.movable || was.focused != now.focused) {
      QAccessible::State changed;
      changed.movable = was.movable != now.movable;
      changed.focused = was.focused != now.focused;
      QAccessibleStateChangeEvent event(&host, changed);
      event.setChild(i);
      QAccessible::updateAccessibility(&event);
    }
    if (now.focused && !was.focused && host.hasFocus()) send(i, QAccessible::Focus);
  }
  for (int i = oldCount; i < newCount; ++i) {
    send(i, QAccessible::ObjectCreated);
    if (after[static_cast<std::size_t>(i)].focused && host.hasFocus()) send(i, QAccessible::Focus);
  }
}

}  // namespace kovala
