#include "controls/optionbox_rules.h"

std::vector<WindowId> OthersToTurnOff(const std::vector<OptionBoxEntry>& formBoxes, WindowId self,
                                      WindowId container, TurnOff which) {
  std::vector<WindowId> result;
  for (const OptionBoxEntry& box : formBoxes) {
    if (box.container != container || box.window == self) continue;
    if (which == TurnOff::OnesThatAreOn && !box.value) continue;
    result.push_back(box.window);
  }
  return result;
}
