#include "framework/qt/qtdesktop.h"

#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QStringList>
#include <QUrl>
#include <algorithm>
#include <iostream>

#include "framework/qt/imagepicture.h"
#include "framework/qt/nameonlyiconprovider.h"
#include "framework/qt/paintersurface.h"
#include "framework/qt/svgdrawing.h"
#include "i18n/translate.h"
#include "resources/helpfiles.h"

namespace kovala {

namespace {

QMessageBox::Icon ToQtIcon(TIcon icon) {
  switch (icon) {
    case TIcon::Exclamation:
      return QMessageBox::Warning;
    case TIcon::Information:
      return QMessageBox::Information;
    case TIcon::Question:
      return QMessageBox::Question;
    case TIcon::Stop:
      return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(TButtons buttons) {
  switch (buttons) {
    case TButtons::Ok:
      return QMessageBox::Ok;
    case TButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case TButtons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

// A box closed without a button (Escape, the close box) gives the most
// careful answer the box offers.
TAnswer ToAnswer(int result, TButtons buttons) {
  switch (result) {
    case QMessageBox::Yes:
      return TAnswer::Yes;
    case QMessageBox::No:
      return TAnswer::No;
    case QMessageBox::Cancel:
      return TAnswer::Cancel;
    case QMessageBox::Ok:
      return TAnswer::Ok;
    default:
      break;
  }
  switch (buttons) {
    case TButtons::Ok:
      return TAnswer::Ok;
    case TButtons::YesNo:
      return TAnswer::No;
    case TButtons::YesNoCancel:
      return TAnswer::Cancel;
  }
  return TAnswer::Cancel;
}

}  // namespace

QString QtFileFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString description = parts[i].trimmed();
    QString patterns = parts[i + 1].trimmed();
    if (description.isEmpty() && patterns.isEmpty()) continue;
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    // Qt reads the patterns from the parentheses of the description.
    if (description.contains(QLatin1Char('(')))
      filters << description;
    else
      filters << QStringLiteral("%1 (%2)").arg(description, patterns);
  }
  return filters.join(QStringLiteral(";;"));
}

TRect CutToPicture(const TRect& box, int width, int height) {
  const TRect cut{std::max(box.left, 0), std::max(box.top, 0), std::min(box.right, width),
                  std::min(box.bottom, height)};
  if (cut.right <= cut.left || cut.bottom <= cut.top) return TRect{};
  return cut;
}

TQtDesktop::~TQtDesktop() {
  for (auto& [name, window] : helpWindows) delete window.data();
}

TAnswer TQtDesktop::MessageBox(const std::string& text, const std::string& caption, TIcon icon,
                               TButtons buttons) {
  QMessageBox box(ToQtIcon(icon), QString::fromStdString(caption), QString::fromStdString(text),
                  ToQtButtons(buttons), owner.data());
  box.setTextFormat(Qt::PlainText);
  // Scripts that drive the program (the end-to-end scenarios) read what a
  // box says here: its picture alone does not tell them.
  if (qEnvironmentVariableIsSet("KOVALA_ECHO_MESSAGES")) {
    QString said = QStringLiteral("message box: %1: %2").arg(box.windowTitle(), box.text());
    said.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    std::cerr << said.toStdString() << std::endl;
  }
  const int result = box.exec();
  GiveBackFocus();
  return ToAnswer(result, buttons);
}

void TQtDesktop::GiveBackFocus() {
  // Keys go to the frame again once a box or dialog closes, even on a
  // desktop that does not hand the focus back by itself.
  if (owner && owner->isVisible()) owner->activateWindow();
}

std::optional<std::string> TQtDesktop::OpenFileDialog(TFileDialogSettings& settings) {
  if (nextOpenAnswer) {
    const QFileInfo file(QString::fromStdString(*nextOpenAnswer));
    nextOpenAnswer.reset();
    // Remembered like a choice in the dialog, so the next Open starts there.
    settings.directory = file.absolutePath().toStdString();
    settings.fileName = file.fileName().toStdString();
    return file.absoluteFilePath().toStdString();
  }
  return RunFileDialog(settings, false);
}

std::optional<std::string> TQtDesktop::SaveFileDialog(TFileDialogSettings& settings) {
  return RunFileDialog(settings, true);
}

std::optional<std::string> TQtDesktop::RunFileDialog(TFileDialogSettings& settings, bool save) {
  // The provider outlives the dialog that uses it. The dialog is always
  // Qt's own, as only there can we make sure that listing a folder never
  // reads the files in it.
  TNameOnlyIconProvider icons;
  QFileDialog dialog(owner.data(), QString::fromUtf8(save ? Tr("Save As") : Tr("Open")));
  dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontResolveSymlinks);
  dialog.setIconProvider(&icons);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (const QString filter = QtFileFilter(Tr(settings.filter)); !filter.isEmpty())
    dialog.setNameFilter(filter);
  dialog.setDefaultSuffix(QString::fromStdString(settings.defaultExtension));
  if (!settings.directory.empty()) dialog.setDirectory(QString::fromStdString(settings.directory));
  if (!settings.fileName.empty()) dialog.selectFile(QString::fromStdString(settings.fileName));
  // A name typed without an extension takes the one of the chosen type.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
    const qsizetype star = filter.indexOf(QStringLiteral("(*."));
    if (star < 0) return;
    const qsizetype end = filter.indexOf(QRegularExpression(QStringLiteral("[ ;)]")), star + 3);
    if (end > star + 3) dialog.setDefaultSuffix(filter.mid(star + 3, end - star - 3));
  });

  const int result = dialog.exec();
  GiveBackFocus();
  if (result != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;

  const QFileInfo file(chosen.first());
  settings.directory = file.absolutePath().toStdString();
  settings.fileName = file.fileName().toStdString();
  return file.absoluteFilePath().toStdString();
}

std::unique_ptr<IPicture> TQtDesktop::CreatePicture(int width, int height) {
  return std::make_unique<TImagePicture>(width, height);
}

std::unique_ptr<IPicture> TQtDesktop::CreateScreenPicture(int width, int height, double ratio) {
  return std::make_unique<TImagePicture>(width, height, ratio);
}

bool TQtDesktop::CopyToClipboard(const IPicture& picture, const TRect& box) {
  const auto* image = dynamic_cast<const TImagePicture*>(&picture);
  if (image == nullptr) return false;
  const TRect cut = CutToPicture(box, image->Width(), image->Height());
  if (cut.Width() <= 0 || cut.Height() <= 0) return false;
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return false;
  clipboard->setImage(image->ProgramPixels(cut));
  return true;
}

bool TQtDesktop::CopyToClipboardWithSvg(const IPicture& picture, const TRect& box, const std::string& svg) {
  if (svg.empty()) return CopyToClipboard(picture, box);
  const auto* image = dynamic_cast<const TImagePicture*>(&picture);
  if (image == nullptr) return false;
  const TRect cut = CutToPicture(box, image->Width(), image->Height());
  if (cut.Width() <= 0 || cut.Height() <= 0) return false;
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return false;
  auto* data = new QMimeData;
  data->setImageData(image->ProgramPixels(cut));
  data->setData(QStringLiteral("image/svg+xml"), QByteArray::fromStdString(svg));
  clipboard->setMimeData(data);  // the clipboard owns it
  return true;
}

std::unique_ptr<ISvgDrawing> TQtDesktop::CreateSvgDrawing(const TRect& box) {
  auto drawing = std::make_unique<TSvgDrawing>(box);
  if (!drawing->IsActive()) return nullptr;
  return drawing;
}

bool TQtDesktop::PrintWithPreview(const TPrintPage& page) {
  if (page.box.Width() <= 0 || page.box.Height() <= 0 || !page.draw) return false;
  // At the screen's resolution the program's fonts and pictures keep their
  // sizes relative to the drawing.
  QPrinter printer(QPrinter::ScreenResolution);
  printer.setDocName(QString::fromStdString(page.title));
  QPrintPreviewDialog preview(&printer, owner.data());
  preview.setWindowTitle(QString::fromUtf8(Tr("Print")));
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&page](QPrinter* target) {
    QPainter painter(target);
    if (!painter.isActive()) return;
    const QRectF paper = target->pageRect(QPrinter::DevicePixel);
    // As large as fits the page, but no more than twice the window's size.
    const double most = 2.0;
    const double scale =
        std::min({most, (paper.width() - 1) / page.box.Width(), (paper.height() - 1) / page.box.Height()});
    painter.translate((paper.width() - scale * page.box.Width()) / 2, 0);
    painter.scale(scale, scale);
    painter.translate(-page.box.left, -page.box.top);
    TPainterSurface surface(painter);
    page.draw(surface);
  });
  const int result = preview.exec();
  GiveBackFocus();
  return result == QDialog::Accepted;
}

void TQtDesktop::OpenHelp(const std::string& helpFile) {
  QPointer<QTextBrowser>& window = helpWindows[helpFile];
  if (window.isNull()) {
    const std::string_view page = HelpPage(helpFile);
    if (page.empty()) return;
    window = new QTextBrowser(nullptr);
    // A help window never keeps the program running once the frame is gone.
    window->setAttribute(Qt::WA_QuitOnClose, false);
    window->setOpenLinks(true);
    // The page in the student's language where there is one, else English.
    const std::vector<std::string> candidates = HelpPageResources(page, TranslationLanguage());
    const auto found = std::find_if(candidates.begin(), candidates.end(), [](const std::string& resource) {
      return QFile::exists(QString::fromStdString(resource));
    });
    const std::string& resource = found == candidates.end() ? candidates.back() : *found;
    window->setSource(QUrl(QStringLiteral("qrc") + QString::fromStdString(resource)));
    const QString title = window->documentTitle();
    window->setWindowTitle(title.isEmpty() ? QString::fromStdString(helpFile) : title);
    window->resize(640, 560);
    // Over the frame's upper left part, so the molecule stays in sight beside it.
    if (owner) window->move(owner->frameGeometry().topLeft() + QPoint(40, 40));
  }
  window->show();
  window->raise();
  window->activateWindow();
}

void TQtDesktop::CloseHelp(const std::string& helpFile) {
  const auto found = helpWindows.find(helpFile);
  if (found == helpWindows.end()) return;
  delete found->second.data();
  helpWindows.erase(found);
}

QTextBrowser* TQtDesktop::HelpWindow(const std::string& helpFile) const {
  const auto found = helpWindows.find(helpFile);
  return found == helpWindows.end() ? nullptr : found->second.data();
}

}  // namespace kovala
