#pragma once
// The group rule of the option boxes, without windows: an option box's group is every other option
// box of its form in the same container window. Turning one on turns the others off.
#include <vector>

#include "base/geometry.h"

// An option box of the form as the walk over the form's controls finds it.
struct OptionBoxEntry {
  WindowId window = 0;
  WindowId container = 0;
  bool value = false;
};

enum class TurnOff {
  OnesThatAreOn,  // a write of true: only the members that are on get false written
  All,            // a click: every member gets false written, whatever its value
};

// The members of the group of `self` (in `container`) that get false written, in the walk's order.
std::vector<WindowId> OthersToTurnOff(const std::vector<OptionBoxEntry>& formBoxes, WindowId self,
                                      WindowId container, TurnOff which);
