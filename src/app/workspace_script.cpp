// The current scenario: its lines, files and the run state.

#include <algorithm>

#include "app/script_runner.h"
#include "app/workspace.h"
#include "core/encoding.h"
#include "core/error.h"
#include "core/strutil.h"
#include "core/texts.h"
#include "filters/texts.h"
#include "scenario/texts.h"

namespace korvane {

int Workspace::ScriptAddLine(const std::string& text) {
  scriptLines_.push_back(text);
  ScriptRefresh();
  ScriptAutoSave();
  return static_cast<int>(scriptLines_.size()) - 1;
}

void Workspace::ScriptSetLine(int i, const std::string& text) {
  if (i < 0 || i >= static_cast<int>(scriptLines_.size()))
    throw Error(Format(texts::DrawIndexNotFound, i));
  scriptLines_[static_cast<size_t>(i)] = text;
  ScriptRefresh();
  ScriptAutoSave();
}

std::string Workspace::ScriptGetLine(int i) const {
  if (i < 0 || i >= static_cast<int>(scriptLines_.size()))
    throw Error(Format(texts::DrawIndexNotFound, i));
  return scriptLines_[static_cast<size_t>(i)];
}

void Workspace::ScriptDeleteLines(std::vector<int> rows) {
  {
    BusyScope busy(busy_, texts::DeletingLines);
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int r : rows)
      if (r >= 0 && r < static_cast<int>(scriptLines_.size()))
        scriptLines_.erase(scriptLines_.begin() + r);
  }
  ScriptRefresh();
  ScriptAutoSave();
}

void Workspace::ScriptClear() {
  scriptLines_.clear();
  ScriptRefresh();
  ScriptAutoSave();
}

void Workspace::ScriptSwap(int i, int j) {
  const int n = static_cast<int>(scriptLines_.size());
  if (i < 0 || j < 0 || i >= n || j >= n) return;
  std::swap(scriptLines_[static_cast<size_t>(i)], scriptLines_[static_cast<size_t>(j)]);
  ScriptRefresh();
  ScriptAutoSave();
}

bool Workspace::ScriptLoadFile(const fs::path& path, bool append) {
  BusyScope busy(busy_, Format(texts::LoadingFile, path.string().c_str()));
  std::vector<std::string> lines;
  try {
    lines = ParseScenarioText(Cp1251ToUtf8(ReadFile(path)));
  } catch (const Error& e) {
    host_.showMessage(MessageKind::Error,
                      Format(texts::CombFileReadError, path.string().c_str(), e.what()));
    ScriptRefresh();
    return false;
  }
  if (append && !scriptLines_.empty()) {
    if (!lines.empty()) {
      if (!IsSeparatorLine(scriptLines_.back())) scriptLines_.emplace_back();
      scriptLines_.insert(scriptLines_.end(), lines.begin(), lines.end());
    }
  } else {
    scriptLines_ = std::move(lines);
  }
  ScriptRefresh();
  return true;
}

bool Workspace::ScriptSaveFile(const fs::path& path) {
  try {
    WriteFileAtomic(path, Utf8ToCp1251(ScenarioToText(scriptLines_)));
  } catch (const Error& e) {
    host_.showMessage(MessageKind::Error,
                      Format(texts::CombFileWriteError, path.string().c_str(), e.what()));
    return false;
  }
  ScriptRefresh();
  return true;
}

bool Workspace::ScriptAutoSave() { return ScriptSaveFile(files_.Scenario()); }

void Workspace::ScriptRefresh() { host_.changed(ChangeScript); }

void Workspace::ScriptStatus(int line, int variant, const std::string& text, int total) {
  script_.line = line;
  script_.variant = variant;
  script_.text = text;
  script_.total = total;
  host_.changed(ChangeScript);
  ScriptPoll();
}

bool Workspace::ScriptPoll() {
  const auto now = std::chrono::steady_clock::now();
  // Twenty times a second is plenty for the window; each poll costs a round of events.
  if (now - lastPoll_ >= std::chrono::milliseconds(50)) {
    lastPoll_ = now;
    if (host_.poll()) script_.stopped = true;
  }
  return script_.stopped;
}

void Workspace::ScriptRun() { ScriptRunner(*this).Forecast(); }
void Workspace::ScriptTest(int k) { ScriptRunner(*this).Test(k); }

void Workspace::ScriptStop() {
  if (!script_.running || script_.stopped) return;
  scriptLog_.Write(texts::LogRunStopped);
  script_.stopped = true;
  host_.changed(ChangeScript);
}

}  // namespace korvane
