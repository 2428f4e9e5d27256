#include "practice/organicwindow.h"

#include "i18n/translate.h"

namespace kovala {

TOrganicWindow::TOrganicWindow(IWindowHost& windowHost, IDesktop& desktopServices)
    : TCourseWindow(windowHost, desktopServices, OrganicTable(),
                    TrNoop("You have completed the organic molecules.  Go to Practice|Quit"), 0) {}

}  // namespace kovala
