#include "framework/qt/panellabel.h"

#include "i18n/translate.h"

#include <QAccessible>
#include <algorithm>

namespace kovala {

TPanelLabel::TPanelLabel(QWidget* parent) : QLabel(parent) {
  // Before the name: naming tells a listening reader, which makes and keeps
  // the label's accessible face there and then.
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(PanelAccessibleFactory);
    return true;
  }();
  (void)factoryInstalled;
  setAccessibleName(QString::fromUtf8(Tr("Molecule panel")));
}

void TPanelLabel::SetPanelText(const QString& shown) {
  const QString before = text();
  if (before == shown) return;
  setText(shown);
  const QStringList old = before.split(QLatin1Char('\n'));
  QStringList fresh;
  for (const QString& line : shown.split(QLatin1Char('\n')))
    if (!old.contains(line)) fresh << line;
  news = fresh.isEmpty() ? shown : fresh.join(QLatin1Char('\n'));
  // Qt has no announcement event here; a reader hears a panel change as its
  // text replaced, its value changed and its description changed.
  QAccessibleTextUpdateEvent replaced(this, 0, before, shown);
  QAccessible::updateAccessibility(&replaced);
  QAccessibleValueChangeEvent value(this, shown);
  QAccessible::updateAccessibility(&value);
  QAccessibleEvent description(this, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&description);
  // What a reader does speak unasked is a notification that shows: the
  // events above reach it, but a reader presents them only for the object
  // with the keyboard focus, which the panel never has.
  if (isVisible()) {
    QAccessibleEvent showing(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&showing);
  }
}

// A notification, so that a reader speaks each new text as it is shown.
TPanelAccessible::TPanelAccessible(TPanelLabel* label) : QAccessibleWidget(label, QAccessible::Notification) {}

QString TPanelAccessible::Shown() const { return static_cast<const QLabel*>(widget())->text(); }

QString TPanelAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Value) return Shown();
  if (t == QAccessible::Description) return static_cast<const TPanelLabel*>(widget())->News();
  return QAccessibleWidget::text(t);
}

void* TPanelAccessible::interface_cast(QAccessible::InterfaceType t) {
  if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  return QAccessibleWidget::interface_cast(t);
}

void TPanelAccessible::selection(int, int* startOffset, int* endOffset) const {
  *startOffset = 0;
  *endOffset = 0;
}

QString TPanelAccessible::text(int startOffset, int endOffset) const {
  const QString shown = Shown();
  const int start = std::clamp(startOffset, 0, static_cast<int>(shown.size()));
  const int end = endOffset < 0 ? static_cast<int>(shown.size()) : std::clamp(endOffset, start, static_cast<int>(shown.size()));
  return shown.mid(start, end - start);
}

int TPanelAccessible::characterCount() const { return static_cast<int>(Shown().size()); }

QRect TPanelAccessible::characterRect(int) const { return {}; }

int TPanelAccessible::offsetAtPoint(const QPoint&) const { return -1; }

QString TPanelAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
  *startOffset = std::clamp(offset, 0, characterCount());
  *endOffset = *startOffset;
  return {};
}

QAccessibleInterface* PanelAccessibleFactory(const QString& /*className*/, QObject* object) {
  if (auto* label = dynamic_cast<TPanelLabel*>(object)) return new TPanelAccessible(label);
  return nullptr;
}

}  // namespace kovala
