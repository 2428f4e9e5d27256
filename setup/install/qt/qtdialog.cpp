#include "setup/install/qt/qtdialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>

#include "i18n/translate.h"

namespace kovala {

namespace {

// Dialog units: a quarter of the font's average character width across,
// an eighth of its height down.
struct TBaseUnits {
  int x, y;
  QPoint At(int dx, int dy) const { return {dx * x / 4, dy * y / 8}; }
  QSize Size(int dx, int dy) const { return {dx * x / 4, dy * y / 8}; }
};

TBaseUnits BaseUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  const int width =
      metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {(width / 26 + 1) / 2, metrics.height()};
}

QString FromStd(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The tables hold the source texts; the dialog shows them in the user's language.
QString Translated(std::string_view text) { return QString::fromStdString(Tr(std::string(text))); }

}  // namespace

TQtDialog::TQtDialog(const TDialogResource& table, IDialogHandler* handler, QWidget* owner)
    : dialog(new QDialog(owner)), resource(table) {
  QFont font(FromStd(resource.fontName));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(resource.fontPoints);
  dialog->setFont(font);
  dialog->setWindowTitle(Translated(resource.title));
  const TBaseUnits units = BaseUnits(font);
  unitX = units.x;
  unitY = units.y;
  dialog->setFixedSize(units.Size(resource.width, resource.height));
  if (owner != nullptr) dialog->move(owner->geometry().topLeft() + units.At(resource.x, resource.y));

  for (const TControlResource& control : resource.controls) {
    QWidget* widget = nullptr;
    const int id = control.id;
    switch (control.kind) {
      case TControlKind::Label:
      case TControlKind::Static: {
        auto* label = new QLabel(Translated(control.text), dialog);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget = label;
        break;
      }
      case TControlKind::ComboBox: {
        auto* combo = new QComboBox(dialog);
        QObject::connect(combo, &QComboBox::activated, dialog, [handler, id] {
          if (handler != nullptr) handler->Notify(id, TNotification::DropDownClosed);
        });
        widget = combo;
        break;
      }
      case TControlKind::ListBox: {
        auto* list = new QListWidget(dialog);
        // Queued: a handler that fills the list anew must run after the
        // click has finished selecting, or the click would select the new
        // list's entry under the pointer.
        QObject::connect(
            list, &QListWidget::currentRowChanged, dialog,
            [handler, id](int row) {
              if (handler != nullptr && row >= 0) handler->Notify(id, TNotification::SelectionChanged);
            },
            Qt::QueuedConnection);
        widget = list;
        break;
      }
      case TControlKind::CheckBox:
        widget = new QCheckBox(Translated(control.text), dialog);
        break;
      case TControlKind::DefaultButton:
      case TControlKind::Button: {
        auto* button = new QPushButton(Translated(control.text), dialog);
        button->setDefault(control.kind == TControlKind::DefaultButton);
        button->setAutoDefault(false);
        QObject::connect(button, &QPushButton::clicked, dialog, [this, handler, id] {
          if (handler != nullptr)
            handler->Notify(id, TNotification::Clicked);
          else
            dialog->done(id);
        });
        widget = button;
        break;
      }
      case TControlKind::ProgressBar: {
        auto* bar = new QProgressBar(dialog);
        bar->setRange(0, 100);
        bar->setTextVisible(false);
        bar->setStyleSheet(QStringLiteral("QProgressBar::chunk { background: blue; }"));
        widget = bar;
        break;
      }
    }
    placed.push_back({widget, control});
    if (id != -1) controls[id] = widget;
  }
  Fit();
  // Escape and the close box mean Cancel.
  QObject::connect(dialog, &QDialog::rejected, dialog, [handler] {
    if (handler != nullptr) handler->Notify(IdCancel, TNotification::Clicked);
  });
}

TQtDialog::~TQtDialog() { delete dialog; }

void TQtDialog::Place(int widthPercent) {
  const auto across = [&](int units) { return units * unitX * widthPercent / 400; };
  const auto down = [&](int units) { return units * unitY / 8; };
  dialog->setFixedSize(across(resource.width), down(resource.height));
  for (const TPlaced& each : placed) {
    const TControlResource& control = each.control;
    each.widget->move(across(control.x), down(control.y));
    QSize size(across(control.width), down(control.height));
    // A drop-down box's height in the resource includes its open list.
    if (control.kind == TControlKind::ComboBox) size.setHeight(each.widget->sizeHint().height());
    each.widget->resize(size);
  }
}

bool TQtDialog::TextsFit() const {
  for (const TPlaced& each : placed) {
    const QWidget& widget = *each.widget;
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
      if (label->text().isEmpty()) continue;
      if (label->minimumSizeHint().width() > label->width() ||
          label->heightForWidth(label->width()) > label->height())
        return false;
    } else if (const auto* box = qobject_cast<const QCheckBox*>(&widget)) {
      if (box->sizeHint().width() > box->width()) return false;
    } else if (const auto* button = qobject_cast<const QPushButton*>(&widget)) {
      // The text and a little frame; the style's own least width is no text of ours.
      const int text =
          button->fontMetrics().horizontalAdvance(QString(button->text()).remove(QLatin1Char('&')));
      if (text + 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin) > button->width()) return false;
    }
  }
  return true;
}

void TQtDialog::Fit() {
  for (int percent = 100; percent < 200; percent += 5) {
    Place(percent);
    if (TextsFit()) return;
  }
  Place(200);
}

QWidget* TQtDialog::Control(int id) const {
  const auto found = controls.find(id);
  return found == controls.end() ? nullptr : found->second;
}

void TQtDialog::SetText(int id, const std::string& text) {
  auto* label = qobject_cast<QLabel*>(Control(id));
  if (label == nullptr) return;
  label->setText(QString::fromStdString(text));
  if (!TextsFit()) Fit();
}

std::string TQtDialog::Text(int id) const {
  if (auto* label = qobject_cast<QLabel*>(Control(id))) return label->text().toStdString();
  return {};
}

void TQtDialog::SetItems(int id, const std::vector<std::string>& items) {
  QStringList list;
  for (const std::string& item : items) list << QString::fromStdString(item);
  if (auto* box = qobject_cast<QListWidget*>(Control(id))) {
    const QSignalBlocker quiet(box);
    box->clear();
    box->addItems(list);
    box->setCurrentRow(-1);
  } else if (auto* combo = qobject_cast<QComboBox*>(Control(id))) {
    const QSignalBlocker quiet(combo);
    combo->clear();
    combo->addItems(list);
    combo->setCurrentIndex(-1);
  }
}

void TQtDialog::Select(int id, int index) {
  if (auto* box = qobject_cast<QListWidget*>(Control(id))) {
    const QSignalBlocker quiet(box);
    box->setCurrentRow(index);
  } else if (auto* combo = qobject_cast<QComboBox*>(Control(id))) {
    const QSignalBlocker quiet(combo);
    combo->setCurrentIndex(index);
  }
}

std::string TQtDialog::SelectedItem(int id) const {
  if (auto* box = qobject_cast<QListWidget*>(Control(id))) {
    const QListWidgetItem* item = box->currentItem();
    return item == nullptr ? std::string() : item->text().toStdString();
  }
  if (auto* combo = qobject_cast<QComboBox*>(Control(id)))
    return combo->currentIndex() < 0 ? std::string() : combo->currentText().toStdString();
  return {};
}

void TQtDialog::SetChecked(int id, bool checked) {
  if (auto* box = qobject_cast<QCheckBox*>(Control(id))) box->setChecked(checked);
}

bool TQtDialog::IsChecked(int id) const {
  auto* box = qobject_cast<QCheckBox*>(Control(id));
  return box != nullptr && box->isChecked();
}

void TQtDialog::SetProgress(int id, int value) {
  if (auto* bar = qobject_cast<QProgressBar*>(Control(id))) bar->setValue(value);
  // The copy runs without returning to the event loop; let the bar show.
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TQtDialog::Show() {
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TQtDialog::Hide() { dialog->hide(); }

int TQtDialog::Execute() {
  const int result = dialog->exec();
  return result == IdOk ? IdOk : IdCancel;
}

}  // namespace kovala
