#include "view3d/shapewindow.h"

namespace kovala {

TShapeWindow::TShapeWindow(IWindowHost& windowHost, IDesktop& desktopServices)
    : TWindow(windowHost, desktopServices) {}

TShapeWindow::~TShapeWindow() = default;

void TShapeWindow::BuildModel(const TOwningArray<TAtom>& /*atoms*/, int /*left*/, int /*top*/,
                              int /*right*/, int /*bottom*/) {}

bool TShapeWindow::Grow() { return false; }

bool TShapeWindow::Shrink() { return false; }

void TShapeWindow::ApplySizeLevel() {}

void TShapeWindow::StartAnimation() { animating = true; }

void TShapeWindow::StopAnimation() { animating = false; }

void TShapeWindow::ClearModel() {}

}  // namespace kovala
