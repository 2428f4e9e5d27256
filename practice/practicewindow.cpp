#include "practice/practicewindow.h"

namespace kovala {

TPracticeWindow::TPracticeWindow(IWindowHost& windowHost, IDesktop& desktopServices)
    : TCourseWindow(windowHost, desktopServices, PracticeTable(),
                    "You have completed the practice molecules.  Click on Quit Practice", 1) {}

}  // namespace kovala
