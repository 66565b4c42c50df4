#include "app/scenario_session.h"

#include <algorithm>

#include "app/dialogue.h"
#include "core/encoding.h"
#include "core/error.h"
#include "core/strutil.h"
#include "core/texts.h"
#include "filters/texts.h"
#include "scenario/script_model.h"
#include "scenario/texts.h"

namespace korvane {

ScenarioSession::ScenarioSession(const SessionContext& ctx, const SettingsStore& settings)
    : ctx_(ctx), settings_(settings), log_(ctx.files.Dir()) {}

int ScenarioSession::AddLine(const std::string& text) {
  lines_.push_back(text);
  Refresh();
  AutoSave();
  return static_cast<int>(lines_.size()) - 1;
}

void ScenarioSession::SetLine(int i, const std::string& text) {
  if (i < 0 || i >= static_cast<int>(lines_.size()))
    throw Error(Format(texts::DrawIndexNotFound, i));
  lines_[static_cast<size_t>(i)] = text;
  Refresh();
  AutoSave();
}

std::string ScenarioSession::Line(int i) const {
  if (i < 0 || i >= static_cast<int>(lines_.size()))
    throw Error(Format(texts::DrawIndexNotFound, i));
  return lines_[static_cast<size_t>(i)];
}

void ScenarioSession::DeleteLines(std::vector<int> rows) {
  {
    BusyScope busy(ctx_.busy, texts::DeletingLines);
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int r : rows)
      if (r >= 0 && r < static_cast<int>(lines_.size())) lines_.erase(lines_.begin() + r);
  }
  Refresh();
  AutoSave();
}

void ScenarioSession::Replace(std::vector<std::string> lines) {
  lines_ = std::move(lines);
  Refresh();
  AutoSave();
}

void ScenarioSession::Clear() {
  lines_.clear();
  Refresh();
  AutoSave();
}

void ScenarioSession::Swap(int i, int j) {
  const int n = static_cast<int>(lines_.size());
  if (i < 0 || j < 0 || i >= n || j >= n) return;
  std::swap(lines_[static_cast<size_t>(i)], lines_[static_cast<size_t>(j)]);
  Refresh();
  AutoSave();
}

bool ScenarioSession::LoadFile(const fs::path& path, bool append) {
  BusyScope busy(ctx_.busy, Format(texts::LoadingFile, path.string().c_str()));
  std::vector<std::string> lines;
  try {
    lines = ParseScenarioText(Cp1251ToUtf8(ReadFile(path)));
  } catch (const Error& e) {
    ctx_.host.showMessage(MessageKind::Error,
                          Format(texts::CombFileReadError, path.string().c_str(), e.what()));
    Refresh();
    return false;
  }
  if (append && !lines_.empty()) {
    if (!lines.empty()) {
      if (!IsSeparatorLine(lines_.back())) lines_.emplace_back();
      lines_.insert(lines_.end(), lines.begin(), lines.end());
    }
  } else {
    lines_ = std::move(lines);
  }
  Refresh();
  return true;
}

bool ScenarioSession::SaveFile(const fs::path& path) {
  try {
    WriteFileAtomic(path, Utf8ToCp1251(ScenarioToText(lines_)));
  } catch (const Error& e) {
    ctx_.host.showMessage(MessageKind::Error,
                          Format(texts::CombFileWriteError, path.string().c_str(), e.what()));
    return false;
  }
  Refresh();
  return true;
}

bool ScenarioSession::AutoSave() { return SaveFile(ctx_.files.Scenario()); }

void ScenarioSession::Refresh() { ctx_.host.changed(ChangeScript); }

void ScenarioSession::BeginRun() {
  log_.enabled = settings_.View().scriptLogEnabled;
  log_.onError = [this](const std::string& m) { ctx_.host.showMessage(MessageKind::Error, m); };
  log_.Start(Now());
  log_.Write(texts::LogRunStart);
  state_ = ScriptState{};
  state_.running = true;
}

void ScenarioSession::EndRun() {
  state_.cycle = 0;
  state_.running = false;
  state_.stopped = false;
  log_.Write(texts::LogRunEnd);
  lastLog_ = log_.Finish();
}

void ScenarioSession::SetCycle(int cycle) { state_.cycle = cycle; }

void ScenarioSession::Status(int line, int variant, const std::string& text, int total) {
  state_.line = line;
  state_.variant = variant;
  state_.text = text;
  state_.total = total;
  ctx_.host.changed(ChangeScript);
  Poll();
}

bool ScenarioSession::Poll() {
  const auto now = std::chrono::steady_clock::now();
  // Twenty times a second is plenty for the window; each poll costs a round of events.
  if (now - lastPoll_ >= std::chrono::milliseconds(50)) {
    lastPoll_ = now;
    if (ctx_.host.poll()) state_.stopped = true;
  }
  return state_.stopped;
}

void ScenarioSession::Stop() {
  if (!state_.running || state_.stopped) return;
  log_.Write(texts::LogRunStopped);
  state_.stopped = true;
  ctx_.host.changed(ChangeScript);
}

void ScenarioSession::Fail(const std::string& message) {
  state_.stopped = true;
  state_.failed = true;
  ctx_.host.showMessage(MessageKind::Error, message);
}

void ScenarioSession::DeleteLogs() {
  DeleteLogFiles(ctx_.host, ctx_.busy, log_.Files(), texts::NoScriptLogs);
}

fs::path ScenarioSession::TakeLastLog() {
  fs::path p = std::move(lastLog_);
  lastLog_.clear();
  return p;
}

}  // namespace korvane
