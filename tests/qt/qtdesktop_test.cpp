// The Qt desktop: filters in Qt's form, clipboard pictures cut at the
// picture's edge, the file dialogs remembering the last choice, the help
// windows opening and closing, and the message box's answers.
#include "framework/qt/qtdesktop.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/qt/imagepicture.h"
#include "tests/qt/qttest.h"

namespace kovala::test {
namespace {

struct FilterCase {
  std::string given;
  QString expected;
};

class FileFilterTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FileFilterTest, BecomesQtFilter) { EXPECT_EQ(QtFileFilter(GetParam().given), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Filters, FileFilterTest,
    ::testing::Values(FilterCase{"Molecule Files (*.kvl)|*.kvl|", "Molecule Files (*.kvl)"},
                      FilterCase{"Molecule Files (*.kvl)|*.kvl", "Molecule Files (*.kvl)"},
                      FilterCase{"Molecules (*.kvl)|*.kvl|All Files (*.*)|*.*|",
                                 "Molecules (*.kvl);;All Files (*.*)"},
                      FilterCase{"Pictures|*.bmp;*.xpm|", "Pictures (*.bmp *.xpm)"}, FilterCase{"", ""},
                      FilterCase{"|", ""}));

TEST(CutToPictureTest, KeepsOnlyWhatLiesOnThePicture) {
  EXPECT_EQ(CutToPicture({10, 10, 30, 20}, 50, 40), (TRect{10, 10, 30, 20}));
  EXPECT_EQ(CutToPicture({30, 20, 80, 70}, 50, 40), (TRect{30, 20, 50, 40}));
  EXPECT_EQ(CutToPicture({-5, -8, 10, 10}, 50, 40), (TRect{0, 0, 10, 10}));
  EXPECT_EQ(CutToPicture({60, 10, 90, 20}, 50, 40), TRect{});
  EXPECT_EQ(CutToPicture({20, 20, 20, 30}, 50, 40), TRect{});
}

// The names of the files in a folder that anyone opened while it watched.
class OpenedFiles {
 public:
  explicit OpenedFiles(const QString& folder) : watch(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    if (watch >= 0) inotify_add_watch(watch, QFile::encodeName(folder).constData(), IN_OPEN);
  }
  ~OpenedFiles() {
    if (watch >= 0) close(watch);
  }
  OpenedFiles(const OpenedFiles&) = delete;
  OpenedFiles& operator=(const OpenedFiles&) = delete;

  bool Watching() const { return watch >= 0; }

  QStringList Names() {
    QStringList names;
    alignas(inotify_event) char buffer[4096];
    for (ssize_t got; (got = read(watch, buffer, sizeof buffer)) > 0;) {
      for (ssize_t at = 0; at < got;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        // Listing the folder opens the folder itself, which comes without a name.
        if (event->len > 0 && (event->mask & IN_ISDIR) == 0) names << QString::fromUtf8(event->name);
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
    return names;
  }

 private:
  int watch;
};

// Runs `step` on the modal dialog as soon as it is up.
void WhenModal(std::function<void(QWidget*)> step) {
  QTimer::singleShot(0, [step] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_NE(modal, nullptr);
    step(modal);
  });
}

class QtDesktopTest : public TQtTest {
 protected:
  TQtDesktop desktop;
};

TEST_F(QtDesktopTest, ClipboardGetsTheBoxCutAtThePictureEdge) {
  TImagePicture picture(50, 40);
  picture.Surface().FillRect({45, 35, 50, 40}, Black);
  ASSERT_TRUE(desktop.CopyToClipboard(picture, {30, 20, 80, 70}));
  const QImage copied = QApplication::clipboard()->image();
  ASSERT_EQ(copied.size(), QSize(20, 20));
  EXPECT_EQ(copied.pixel(15, 15) & 0xFFFFFF, 0u);
  EXPECT_EQ(copied.pixel(14, 14) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(QtDesktopTest, BoxBesideThePictureCopiesNothing) {
  TImagePicture picture(50, 40);
  EXPECT_FALSE(desktop.CopyToClipboard(picture, {60, 0, 90, 30}));
}

TEST_F(QtDesktopTest, MessageBoxShowsCaptionIconAndButtonsAndReturnsTheAnswer) {
  WhenModal([](QWidget* modal) {
    auto* box = dynamic_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), "Molecule has changed");
    EXPECT_EQ(box->text(), "Do you want to save?");
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box->button(QMessageBox::No)->click();
  });
  EXPECT_EQ(desktop.MessageBox("Do you want to save?", "Molecule has changed", TIcon::Question,
                               TButtons::YesNoCancel),
            TAnswer::No);

  WhenModal([](QWidget* modal) {
    auto* box = dynamic_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    box->reject();  // Escape
  });
  EXPECT_EQ(desktop.MessageBox("You must start with the aromatic ring!!!", "Warning", TIcon::Exclamation),
            TAnswer::Ok);
}

TEST_F(QtDesktopTest, SaveDialogAddsTheExtensionAndRemembersTheChoice) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  TFileDialogSettings settings{"Molecule Files (*.kvl)|*.kvl|", "kvl", folder.path().toStdString(), ""};
  WhenModal([](QWidget* modal) {
    auto* dialog = dynamic_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->nameFilters(), QStringList{"Molecule Files (*.kvl)"});
    dialog->selectFile("water");
    static_cast<QDialog*>(dialog)->accept();
  });
  const auto chosen = desktop.SaveFileDialog(settings);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, QDir(folder.path()).filePath("water.kvl").toStdString());
  EXPECT_EQ(settings.directory, QDir(folder.path()).absolutePath().toStdString());
  EXPECT_EQ(settings.fileName, "water.kvl");
}

TEST_F(QtDesktopTest, OpenDialogAcceptsOnlyAnExistingFileAndCancelGivesNothing) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  QFile existing(QDir(folder.path()).filePath("methane.kvl"));
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.close();
  TFileDialogSettings settings{"Molecule Files (*.kvl)|*.kvl|", "kvl", folder.path().toStdString(), ""};

  WhenModal([](QWidget* modal) {
    auto* dialog = dynamic_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    dialog->selectFile("methane.kvl");
    static_cast<QDialog*>(dialog)->accept();
  });
  const auto chosen = desktop.OpenFileDialog(settings);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(settings.fileName, "methane.kvl");

  WhenModal([](QWidget* modal) { modal->close(); });
  EXPECT_FALSE(desktop.OpenFileDialog(settings).has_value());
  EXPECT_EQ(settings.fileName, "methane.kvl");
}

TEST_F(QtDesktopTest, AnsweredOpenDialogGivesTheFileOnceAndTheDialogAfterIt) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  TFileDialogSettings settings{"Molecule Files (*.kvl)|*.kvl|", "kvl", "", ""};
  // A relative name, as typed in a terminal, is taken from the working directory.
  struct TWorkingDirectory {
    QString before = QDir::currentPath();
    ~TWorkingDirectory() { QDir::setCurrent(before); }
  } restore;
  ASSERT_TRUE(QDir::setCurrent(folder.path()));
  desktop.AnswerNextOpenDialog("water.kvl");

  const auto answered = desktop.OpenFileDialog(settings);
  ASSERT_TRUE(answered.has_value());
  EXPECT_EQ(*answered, QDir(folder.path()).filePath("water.kvl").toStdString());
  EXPECT_EQ(settings.directory, QDir(folder.path()).absolutePath().toStdString());
  EXPECT_EQ(settings.fileName, "water.kvl");

  // Only once: the next Open shows the dialog again.
  bool shown = false;
  WhenModal([&shown](QWidget* modal) {
    shown = dynamic_cast<QFileDialog*>(modal) != nullptr;
    modal->close();
  });
  EXPECT_FALSE(desktop.OpenFileDialog(settings).has_value());
  EXPECT_TRUE(shown);
}

// A pipe blocks whoever reads it until a writer comes, as /proc/kmsg does
// until the kernel logs something; a dialog that looks inside the files it
// lists hangs on either. "notes" and "water.kvl" have names that tell Qt
// nothing of their type, so only reading them would.
TEST_F(QtDesktopTest, FileDialogsListAFolderOfSpecialFilesWithoutOpeningAny) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QDir dir(folder.path());
  ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath("pipe.kvl")).constData(), 0600), 0);
  for (const char* name : {"notes", "water.kvl"}) {
    QFile file(dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Kovala31 and some words\n");
  }
  OpenedFiles opened(folder.path());
  ASSERT_TRUE(opened.Watching());

  for (const bool save : {false, true}) {
    SCOPED_TRACE(save ? "Save As" : "Open");
    TFileDialogSettings settings{"Molecule Files (*.kvl)|*.kvl|", "kvl", folder.path().toStdString(), ""};
    int listed = 0;
    WhenModal([&folder, &dir, &listed](QWidget* modal) {
      auto* dialog = dynamic_cast<QFileDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      auto* model = dialog->findChild<QFileSystemModel*>();
      ASSERT_NE(model, nullptr);
      const QModelIndex root = model->index(folder.path());
      // Only water.kvl is shown: "notes" fails the filter and a pipe is no
      // file to choose, but all three are looked at while the folder is read.
      EXPECT_TRUE(QTest::qWaitFor([&] { return model->rowCount(root) == 1; }, 10000));
      listed = model->rowCount(root);
      const QModelIndex water = model->index(dir.filePath("water.kvl"));
      EXPECT_FALSE(model->data(water, Qt::DecorationRole).isNull());
      EXPECT_FALSE(model->data(water.siblingAtColumn(2)).toString().isEmpty());
      dialog->reject();
    });
    EXPECT_FALSE(save ? desktop.SaveFileDialog(settings) : desktop.OpenFileDialog(settings));
    EXPECT_EQ(listed, 1);
  }
  EXPECT_EQ(opened.Names().join(", ").toStdString(), "");
}

TEST_F(QtDesktopTest, HelpWindowShowsThePageAndClosesOnRequest) {
  desktop.OpenHelp("kovala.hlp");
  QTextBrowser* help = desktop.HelpWindow("kovala.hlp");
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  EXPECT_FALSE(help->toPlainText().isEmpty());
  desktop.OpenHelp("kovala.hlp");
  EXPECT_EQ(desktop.HelpWindow("kovala.hlp"), help);

  desktop.CloseHelp("kovala.hlp");
  EXPECT_EQ(desktop.HelpWindow("kovala.hlp"), nullptr);
  desktop.CloseHelp("kovala.hlp");
}

TEST_F(QtDesktopTest, HelpWindowsGoWithTheDesktop) {
  {
    TQtDesktop another;
    another.OpenHelp("WINHELP.HLP");
    ASSERT_NE(another.HelpWindow("WINHELP.HLP"), nullptr);
  }
  // The fixture fails the test if the help window outlived its desktop.
}

}  // namespace
}  // namespace kovala::test
