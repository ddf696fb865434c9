#pragma once
// The outermost of nested modal levels disables every window of the program; only the outermost
// pair acts.
class ModalNesting {
 public:
  // Opens a level; true when every window must now be disabled.
  bool Enter();
  // Closes a level; true when every window must now be enabled again.
  bool Leave();

 private:
  int depth_ = 0;
};
