#include "host/supervision.h"

#include <algorithm>

namespace {

class KnownWindows {
 public:
  explicit KnownWindows(CoreWindows& core) : core_(core) {}

  // Takes the news in; a new or renamed window is looked at at once. The settings window or 0.
  WindowId LookAtNews() {
    for (const WindowId w : core_.TakeNews()) {
      if (w == 0) continue;
      if (std::find(known_.begin(), known_.end(), w) == known_.end()) known_.push_back(w);
      if (IsSettingsWindow(w)) return w;
    }
    return 0;
  }

  // Reads every known title again, forgetting the windows that are gone. The settings window or 0.
  WindowId Pass() {
    for (std::size_t i = 0; i < known_.size();) {
      const WindowId w = known_[i];
      if (IsSettingsWindow(w)) return w;
      if (i < known_.size() && known_[i] == w) ++i;  // else it was gone and forgotten
    }
    return 0;
  }

 private:
  // Only an exact title counts, and only on a window without a parent.
  bool IsSettingsWindow(WindowId w) {
    Text title;
    if (!core_.Title(w, title)) {
      std::erase(known_, w);
      return false;
    }
    return title == kCoreSettingsTitle && !core_.HasParent(w);
  }

  CoreWindows& core_;
  std::vector<WindowId> known_;
};

}  // namespace

SupervisionResult SuperviseCore(CoreWindows& core, int firstWindowGraceMs) {
  KnownWindows known(core);
  const std::int64_t graceEnd = core.NowMs() + firstWindowGraceMs;
  for (;;) {
    if (const WindowId w = known.LookAtNews()) return {Supervision::SettingsWindow, w};
    if (const WindowId w = known.Pass()) return {Supervision::SettingsWindow, w};
    if (core.OwnsTopLevelWindow()) break;
    const std::int64_t now = core.NowMs();
    if (now >= graceEnd) return {Supervision::NoWindow};
    if (core.Wait(static_cast<int>(graceEnd - now)) == CoreWake::Ended) return {Supervision::CoreEnded};
  }
  // A pass has just run; the next comes 100 ms after the end of the one before.
  std::int64_t nextPass = core.NowMs() + kPassIntervalMs;
  for (;;) {
    std::int64_t now = core.NowMs();
    if (now >= nextPass) {
      if (const WindowId w = known.Pass()) return {Supervision::SettingsWindow, w};
      now = core.NowMs();
      nextPass = now + kPassIntervalMs;
    }
    if (core.Wait(static_cast<int>(nextPass - now)) == CoreWake::Ended) return {Supervision::CoreEnded};
    if (const WindowId w = known.LookAtNews()) return {Supervision::SettingsWindow, w};
  }
}
