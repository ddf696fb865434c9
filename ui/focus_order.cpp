#include "ui/focus_order.h"

int NextStop(int count, int current, int step) {
  if (count <= 0) return -1;
  if (current < 0 || current >= count) return step < 0 ? count - 1 : 0;
  return ((current + (step < 0 ? -1 : 1)) % count + count) % count;
}

int NextOption(int count, int current, int step) {
  if (count <= 0) return -1;
  if (current < 0 || current >= count) return 0;
  return NextStop(count, current, step);
}
