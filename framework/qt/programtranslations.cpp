#include "framework/qt/programtranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QString>

#include "i18n/translate.h"

namespace kovala {

bool StartProgramTranslations(QTranslator& qtTexts) {
  if (!StartTranslations(QCoreApplication::applicationFilePath().toStdString())) return false;
  // Qt's buttons and dialogs speak the same language as the program, or stay
  // English where the system has no Qt translation for it.
  if (qtTexts.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&qtTexts);
  return true;
}

}  // namespace kovala
