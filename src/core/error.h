#pragma once

#include <stdexcept>
#include <string>

namespace korvane {

// A failure of an operation. The text is shown to the user, usually inserted into the
// message template of the action that started the operation.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace korvane
