#pragma once
// The event pump as the long loops call it: at most one ProcessEvents every
// 20 ms of work, and the clock is read only every 256 calls, so a yield per
// word costs next to nothing while Stop clicks and timer ticks are still
// served promptly. Tests switch the throttle off to make every yield count.
#include <cstdint>

#include "platform.h"

namespace kwl {

class EventPump {
 public:
  static constexpr std::int64_t kIntervalMs = 20;

  explicit EventPump(Platform& platform) : platform_(platform) {}

  // True when the events were processed, false when the throttle held them.
  bool Yield() {
    if (throttled_) {
      if ((++calls_ & 255U) != 0) return false;
      const std::int64_t now = platform_.MonotonicMs();
      if (now - lastMs_ < kIntervalMs) return false;
      lastMs_ = now;
    }
    platform_.ProcessEvents();
    return true;
  }
  void SetThrottled(bool on) { throttled_ = on; }

 private:
  Platform& platform_;
  std::uint32_t calls_ = 0;
  std::int64_t lastMs_ = 0;
  bool throttled_ = true;
};

}  // namespace kwl
