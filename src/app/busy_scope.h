#pragma once

#include <string>

#include "app/host.h"

namespace korvane {

// The application-wide busy counter and the status text. While the counter is above zero
// the faces disable every action.
class BusyState {
 public:
  explicit BusyState(Host& host) : host_(host) {}
  bool Busy() const { return count_ > 0; }
  int Count() const { return count_; }
  const std::string& Status() const { return status_; }
  void SetStatus(const std::string& text);
  void Enter();
  void Leave();

 private:
  Host& host_;
  int count_ = 0;
  std::string status_;
};

// Marks a long operation: raises the busy state, shows the status text, and restores the
// previous status text and busy state when it ends, also on failure.
class BusyScope {
 public:
  BusyScope(BusyState& state, const std::string& status);
  ~BusyScope();
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  BusyState& state_;
  std::string previous_;
};

}  // namespace korvane
