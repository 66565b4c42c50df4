#include "app/busy_scope.h"

namespace korvane {

void BusyState::SetStatus(const std::string& text) {
  status_ = text;
  host_.setStatus(text);
}

void BusyState::Enter() {
  if (count_++ == 0) host_.busyChanged(true);
}

void BusyState::Leave() {
  if (count_ > 0 && --count_ == 0) host_.busyChanged(false);
}

BusyScope::BusyScope(BusyState& state, const std::string& status)
    : state_(state), previous_(state.Status()) {
  state_.Enter();
  state_.SetStatus(status);
}

BusyScope::~BusyScope() {
  state_.SetStatus(previous_);
  state_.Leave();
}

}  // namespace korvane
