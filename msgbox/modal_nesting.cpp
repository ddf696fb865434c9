#include "msgbox/modal_nesting.h"

bool ModalNesting::Enter() { return ++depth_ == 1; }

bool ModalNesting::Leave() {
  if (--depth_ <= 0) {
    depth_ = 0;
    return true;
  }
  return false;
}
