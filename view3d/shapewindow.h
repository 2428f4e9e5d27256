// The 3-D window: shows the ball model of a completed molecule, turns it,
// moves it, animates it, sizes it and copies it.
#pragma once

#include "framework/owningarray.h"
#include "framework/window.h"
#include "model/atom.h"

namespace kovala {

class TShapeWindow : public TWindow {
 public:
  TShapeWindow(IWindowHost& host, IDesktop& desktop);
  ~TShapeWindow() override;

  // Builds the ball model from copies of a molecule's atoms for a client
  // rectangle, discarding the previous model.
  void BuildModel(const TOwningArray<TAtom>& atoms, int left, int top, int right, int bottom);
  bool Grow();    // true when the size step was taken
  bool Shrink();  // true when the size step was taken
  void ApplySizeLevel();
  void StartAnimation();
  void StopAnimation();
  // Empties the model, as when the view is left.
  void ClearModel();

  bool animating = false;
  int sizeLevel = 1;
};

}  // namespace kovala
