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

}  // namespace

TQtDialog::TQtDialog(const TDialogResource& resource, IDialogHandler* handler, QWidget* owner)
    : dialog(new QDialog(owner)) {
  QFont font(FromStd(resource.fontName));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(resource.fontPoints);
  dialog->setFont(font);
  dialog->setWindowTitle(FromStd(resource.title));
  const TBaseUnits units = BaseUnits(font);
  dialog->setFixedSize(units.Size(resource.width, resource.height));
  if (owner != nullptr) dialog->move(owner->geometry().topLeft() + units.At(resource.x, resource.y));

  for (const TControlResource& control : resource.controls) {
    QWidget* widget = nullptr;
    const int id = control.id;
    switch (control.kind) {
      case TControlKind::Label:
      case TControlKind::Static: {
        auto* label = new QLabel(FromStd(control.text), dialog);
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
        widget = new QCheckBox(FromStd(control.text), dialog);
        break;
      case TControlKind::DefaultButton:
      case TControlKind::Button: {
        auto* button = new QPushButton(FromStd(control.text), dialog);
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
    widget->move(units.At(control.x, control.y));
    QSize size = units.Size(control.width, control.height);
    // A drop-down box's height in the resource includes its open list.
    if (control.kind == TControlKind::ComboBox) size.setHeight(widget->sizeHint().height());
    widget->resize(size);
    if (id != -1) controls[id] = widget;
  }
  // Escape and the close box mean Cancel.
  QObject::connect(dialog, &QDialog::rejected, dialog, [handler] {
    if (handler != nullptr) handler->Notify(IdCancel, TNotification::Clicked);
  });
}

TQtDialog::~TQtDialog() { delete dialog; }

QWidget* TQtDialog::Control(int id) const {
  const auto found = controls.find(id);
  return found == controls.end() ? nullptr : found->second;
}

void TQtDialog::SetText(int id, const std::string& text) {
  if (auto* label = qobject_cast<QLabel*>(Control(id))) label->setText(QString::fromStdString(text));
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
