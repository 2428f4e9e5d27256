// A window's timers by identifier, as QTimers; setting a running timer
// again restarts it with the new period instead of adding a second one.
#pragma once

#include <QTimer>
#include <functional>
#include <map>
#include <memory>

namespace kovala {

class TWindowTimers {
 public:
  explicit TWindowTimers(std::function<void(int)> onTimer) : fire(std::move(onTimer)) {}

  void Set(int id, int milliseconds);
  void Kill(int id);
  bool IsRunning(int id) const { return timers.contains(id); }

 private:
  std::function<void(int)> fire;
  std::map<int, std::unique_ptr<QTimer>> timers;
};

}  // namespace kovala
