// The start of every program's translations: the program's own texts in the
// user's language and, with them, Qt's own (message box buttons, file dialogs).
#pragma once

#include <QTranslator>

namespace kovala {

// Call once the QApplication exists: it takes the whole user locale when it
// starts, and the numbers of written files must go back to C after that.
// `qtTexts` must outlive the application's event loop. True when the
// program's texts are translated.
bool StartProgramTranslations(QTranslator& qtTexts);

}  // namespace kovala
