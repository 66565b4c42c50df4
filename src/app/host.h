#pragma once

#include <string>

namespace korvane {

// Warning boxes carry the caption "Предупреждение", Attention ones "Внимание!".
enum class MessageKind { Error, Information, Warning, Attention };

// Aspects of the state a face shows; passed to Host::changed so the face repaints them.
enum ChangeAspect : unsigned {
  ChangeArchive = 1u << 0,   // the archive list (rows, offset row, panels)
  ChangeOffset = 1u << 1,    // the draw offset
  ChangeSettings = 1u << 2,  // game settings
  ChangeViews = 1u << 3,     // the analysis views must be recomputed
  ChangeStats = 1u << 4,     // the statistics table was rebuilt or re-sorted
  ChangeCombs = 1u << 5,     // the combination list or its applied-filters list
  ChangeRegistry = 1u << 6,  // the method lists must be refilled
  ChangeStakes = 1u << 7,    // the stake file (rows or count)
  ChangeScript = 1u << 8,    // the scenario lines or the run state and its panels
  ChangeView = 1u << 9,      // a view flag: the lists and grids repaint
  ChangeRatings = 1u << 10,  // the rating rows, their order or their efficiency mode
  ChangeTables = 1u << 11,   // the regular stakes
  ChangeSystems = 1u << 12,  // the systems list or the local systems
};

// Everything the engine says to the person goes through this interface: the desktop window
// answers with message boxes and its status bar, the command line with stderr and flags,
// tests with a recording fake.
class Host {
 public:
  virtual ~Host() = default;
  virtual void showMessage(MessageKind kind, const std::string& text) = 0;
  // A Yes/No question; defaultYes selects the answer a plain Enter gives.
  virtual bool ask(const std::string& question, bool defaultYes) = 0;
  // The same question shown as a warning ("Предупреждение") rather than a confirmation.
  virtual bool askWarning(const std::string& question, bool defaultYes) {
    return ask(question, defaultYes);
  }
  // The same question shown as an error ("Ошибка"): a failure the user may retry.
  virtual bool askError(const std::string& question, bool defaultYes) {
    return ask(question, defaultYes);
  }
  virtual void setStatus(const std::string& text) = 0;
  virtual void progress(int done, int total, const std::string& text) = 0;
  // Lets the face process pending events; true when the user asked to stop.
  virtual bool poll() = 0;
  // The busy state began (true) or ended (false): wait cursor, actions disabled.
  virtual void busyChanged(bool /*busy*/) {}
  // A panel (from 0) of the main status bar got a new text.
  virtual void panelChanged(int /*panel*/, const std::string& /*text*/) {}
  // Parts of the state changed (a set of ChangeAspect bits).
  virtual void changed(unsigned /*aspects*/) {}
};

}  // namespace korvane
