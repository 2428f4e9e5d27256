#include "framework/qt/windowtimers.h"

#include <algorithm>

namespace kovala {

void TWindowTimers::Set(int id, int milliseconds) {
  auto& timer = timers[id];
  if (!timer) {
    timer = std::make_unique<QTimer>();
    QObject::connect(timer.get(), &QTimer::timeout, [this, id] { fire(id); });
  }
  timer->start(std::max(milliseconds, 0));
}

void TWindowTimers::Kill(int id) {
  // Killing from inside the timer's own handler is allowed, so the QTimer
  // is deleted once its timeout signal has returned.
  const auto found = timers.find(id);
  if (found == timers.end()) return;
  found->second->stop();
  found->second.release()->deleteLater();
  timers.erase(found);
}

}  // namespace kovala
