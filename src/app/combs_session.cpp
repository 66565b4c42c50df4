#include "app/combs_session.h"

#include "app/dialogue.h"
#include "core/encoding.h"
#include "core/error.h"
#include "core/strutil.h"
#include "core/texts.h"
#include "filters/comb_files.h"
#include "filters/filtering.h"
#include "filters/texts.h"

namespace korvane {

CombsSession::CombsSession(const SessionContext& ctx, const DrawArchive& archive,
                           const SettingsStore& settings)
    : ctx_(ctx), archive_(archive), settings_(settings) {}

TCombsGenParams CombsSession::DefaultGenParams() const {
  return {settings_.Game().combsGenerateMode, settings_.Game().combsGenerateParameters};
}

bool CombsSession::Generate(bool showStatus, const TCombsGenParams& params) {
  std::optional<BusyScope> busy;
  if (showStatus) busy.emplace(ctx_.busy, texts::GeneratingCombs);
  bool ok = true;
  try {
    if (params.mode == 4) {
      // A list from a combination file; when it cannot be read the previous list comes back.
      ok = LoadFile(params.text);
      if (!ok && combs_.CanUndo()) {
        combs_.SetCount(combs_.UndoCount(), combs_.UndoCount());
        for (int i = 0; i < combs_.UndoCount(); ++i) combs_.Set(i, combs_.UndoAt(i));
      }
    } else {
      combs_.Generate(params);
    }
  } catch (const std::exception& e) {
    ReportError(ctx_.host, texts::GenerateError, e.what());
    ok = false;
  }
  if (showStatus) {
    combs_.FiltersListClear();
    combs_.UndoDiscard();
    Refresh();
  }
  return ok;
}

void CombsSession::Refresh() {
  ctx_.panels.Set(StatusPanel::Combs, Format(texts::PanelCombs, combs_.Count()));
  ctx_.host.changed(ChangeCombs);
}

void CombsSession::UndoSave() {
  BusyScope busy(ctx_.busy, texts::SavingUndo);
  combs_.UndoSave();
}

void CombsSession::Undo() {
  if (!combs_.CanUndo()) return;
  {
    BusyScope busy(ctx_.busy, texts::RestoringUndo);
    combs_.UndoRestore();
    combs_.FiltersListDeleteLast();
  }
  Refresh();
}

void CombsSession::RollBack() {
  combs_.UndoRestore();
  combs_.FiltersListAddUndo();
  Refresh();
}

bool CombsSession::Filter(TCustomStat& stat, const TStatDrawArray& selection, bool remove,
                          const std::string& caption, const std::string& values) {
  BusyScope busy(ctx_.busy, texts::Filtering);
  const CombList before = combs_;
  try {
    if (combs_.UndoCount() > 0) {
      FilterFromUndo(combs_, stat, selection,
                     LastAnalysedIndex(archive_.Draws(), archive_.DrawsOffset()),
                     settings_.View().sortedDraws, remove);
      combs_.FiltersListAdd(remove, caption, values);
    } else {
      combs_.SetCount(combs_.Capacity(), 0);
    }
  } catch (const std::exception& e) {
    combs_ = before;
    Refresh();
    ctx_.host.showMessage(MessageKind::Error, e.what());
    return false;
  }
  Refresh();
  return true;
}

bool CombsSession::FilterWithUndo(TCustomStat& stat, const TStatDrawArray& selection, bool remove,
                                  const std::string& caption, const std::string& values) {
  const CombList before = combs_;
  UndoSave();
  BusyScope busy(ctx_.busy, texts::Filtering);
  try {
    FilterFromUndo(combs_, stat, selection,
                   LastAnalysedIndex(archive_.Draws(), archive_.DrawsOffset()),
                   settings_.View().sortedDraws, remove);
    combs_.FiltersListAdd(remove, caption, values);
  } catch (const std::exception& e) {
    combs_ = before;
    Refresh();
    ctx_.host.showMessage(MessageKind::Error, e.what());
    return false;
  }
  Refresh();
  return true;
}

void CombsSession::DeleteRows(const std::vector<int>& rows) {
  if (rows.empty() || combs_.Count() == 0) return;
  UndoSave();
  BusyScope busy(ctx_.busy, texts::DeletingCombs);
  combs_.RemoveRowsFromUndo(rows);
  combs_.FiltersListAdd(true, texts::SelectedCombs, std::to_string(rows.size()));
  Refresh();
}

void CombsSession::FindInDraws(const TComb& comb) {
  std::vector<std::string> lines;
  {
    BusyScope busy(ctx_.busy, texts::SearchingDraws);
    lines = FindCombInDraws(archive_.Draws(), comb);
  }
  if (lines.empty()) {
    ctx_.host.showMessage(MessageKind::Information, texts::CombNotFound);
    return;
  }
  std::string text = std::string(texts::CombFoundIn) + "\n\n";
  for (const std::string& l : lines) text += l + "\n";  // the lines are UTF-8 already
  ctx_.host.showMessage(MessageKind::Information, text);
}

void CombsSession::ExcludeDraws(int n) {
  {
    BusyScope busy(ctx_.busy, Format(texts::ExcludingDraws, n));
    int first = 0;
    int last = -1;
    if (n > 0) {
      last = archive_.Count() - 1 - archive_.DrawsOffset();
      first = std::max(0, last - n + 1);
    }
    ExcludeDrawsFromUndo(combs_, archive_.Draws(), first, last, [&](int k, int total) {
      ctx_.busy.SetStatus(Format(texts::ExcludingDrawsProgress, n, 100.0 * (k + 1) / total));
    });
    combs_.FiltersListAdd(true, texts::LastDraws, std::to_string(n));
  }
  Refresh();
}

void CombsSession::CheckNums() {
  int d;
  {
    BusyScope busy(ctx_.busy, texts::PleaseWait);
    d = DistinctNumbers(combs_.ToArray(), static_cast<size_t>(combs_.Count()));
  }
  ctx_.host.showMessage(MessageKind::Information, Format(texts::DistinctNumbersMsg, d));
}

bool CombsSession::LoadFile(const fs::path& path) {
  try {
    combs_.Assign(ParseCombFile(ReadFile(path)));
    return true;
  } catch (const Error& e) {
    ctx_.host.showMessage(MessageKind::Error,
                          Format(texts::CombFileReadError, path.string().c_str(), e.what()));
    return false;
  }
}

bool CombsSession::SaveFile(const fs::path& path) const {
  try {
    WriteFileAtomic(path, CombsToFileText(combs_.Data(), combs_.Count()));
    return true;
  } catch (const Error& e) {
    ctx_.host.showMessage(MessageKind::Error,
                          Format(texts::CombFileWriteError, path.string().c_str(), e.what()));
    return false;
  }
}

bool CombsSession::Open(const fs::path& path) {
  UndoSave();
  bool ok;
  {
    BusyScope busy(ctx_.busy, Format(texts::LoadingFile, path.string().c_str()));
    ok = LoadFile(path);
    if (!ok) combs_.UndoRestore();
    combs_.UndoDiscard();
    combs_.FiltersListClear();
  }
  Refresh();
  return ok;
}

bool CombsSession::Save(const fs::path& path) const {
  BusyScope busy(ctx_.busy, Format(texts::SavingFile, path.string().c_str()));
  return SaveFile(path);
}

std::string CombsSession::CopyText(const std::vector<int>& rows) const {
  std::vector<TComb> combs;
  for (int r : rows)
    if (r >= 0 && r < combs_.Count()) combs.push_back(combs_.At(r));
  return CombsToClipText(combs);
}

bool CombsSession::Paste(const std::string& text) {
  BusyScope busy(ctx_.busy, texts::PleaseWait);
  if (SplitLines(text).empty()) return false;
  bool ok = true;
  try {
    const TCombsArray combs = ParseClipText(text);
    combs_.Assign(combs);
    combs_.FiltersListClear();
  } catch (const Error& e) {
    ctx_.host.showMessage(MessageKind::Error, e.what());
    ok = false;
  }
  combs_.UndoDiscard();
  Refresh();
  return ok;
}

}  // namespace korvane
