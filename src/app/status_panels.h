#pragma once

// The panels of the main status bar, in order.

#include <array>
#include <string>

#include "app/host.h"

namespace korvane {

enum class StatusPanel {
  Archive,      // "Архив тиражей: %d"
  NextDraw,     // "Следующий тираж: %d"
  NextNumbers,  // the numbers of the draw after the offset
  Combs,        // "Комбинаций: %d"
  Stakes,       // "Ставок: %d"
  Ratings,      // "Рейтинг: %d"
  Text,         // the status text
};
inline constexpr int StatusPanelCount = 7;

// The texts of the panels; a change is passed on to the face at once.
class StatusPanels {
 public:
  explicit StatusPanels(Host& host) : host_(host) {}
  const std::string& Text(StatusPanel panel) const { return texts_[Index(panel)]; }
  void Set(StatusPanel panel, const std::string& text) {
    texts_[Index(panel)] = text;
    host_.panelChanged(static_cast<int>(panel), text);
  }

 private:
  static size_t Index(StatusPanel panel) { return static_cast<size_t>(panel); }
  Host& host_;
  std::array<std::string, StatusPanelCount> texts_;
};

}  // namespace korvane
