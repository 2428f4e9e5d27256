#include "practice/organicwindow.h"

namespace kovala {

TOrganicWindow::TOrganicWindow(IWindowHost& windowHost, IDesktop& desktopServices)
    : TCourseWindow(windowHost, desktopServices, OrganicTable(),
                    "You have completed the organic molecules.  Go to Practice|Quit", 0) {}

}  // namespace kovala
