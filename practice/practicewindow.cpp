#include "practice/practicewindow.h"

#include "i18n/translate.h"

namespace kovala {

TPracticeWindow::TPracticeWindow(IWindowHost& windowHost, IDesktop& desktopServices)
    : TCourseWindow(windowHost, desktopServices, PracticeTable(),
                    TrNoop("You have completed the practice molecules.  Click on Quit Practice"), 1) {}

}  // namespace kovala
