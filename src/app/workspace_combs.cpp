// The combination list part of the workspace.

#include "app/workspace.h"
#include "core/encoding.h"
#include "core/error.h"
#include "core/strutil.h"
#include "core/texts.h"
#include "filters/texts.h"

namespace korvane {

TCombsGenParams Workspace::DefaultGenParams() const {
  return {settings_.combsGenerateMode, settings_.combsGenerateParameters};
}

bool Workspace::CombsGenerate(bool showStatus, const TCombsGenParams& params) {
  std::optional<BusyScope> busy;
  if (showStatus) busy.emplace(busy_, texts::GeneratingCombs);
  bool ok = true;
  try {
    if (params.mode == 4) {
      // A list from a combination file; when it cannot be read the previous list comes back.
      ok = CombsLoadFile(params.text);
      if (!ok && combs_.CanUndo()) {
        combs_.SetCount(combs_.UndoCount(), combs_.UndoCount());
        for (int i = 0; i < combs_.UndoCount(); ++i) combs_.Set(i, combs_.UndoAt(i));
      }
    } else {
      combs_.Generate(params);
    }
  } catch (const std::exception& e) {
    ReportError(texts::GenerateError, e.what());
    ok = false;
  }
  if (showStatus) {
    combs_.FiltersListClear();
    combs_.UndoDiscard();
    CombsRefresh();
  }
  return ok;
}

bool Workspace::CombsGen(const TCombsGenParams& params, bool saveAsDefault) {
  TCombsGenParams p = params;
  if (p.text.size() > 255) p.text.resize(255);
  if (saveAsDefault) {
    settings_.combsGenerateMode = p.mode;
    settings_.combsGenerateParameters = p.text;
    try {
      SaveGenerateMode(ini_, settings_);
      ini_.Save();
    } catch (const Error& e) {
      ReportError(texts::ConfigWriteError, e.what());
    }
  }
  {
    BusyScope busy(busy_, texts::SavingUndo);
    combs_.UndoSave();
  }
  return CombsGenerate(true, p);
}

void Workspace::CombsRefresh() {
  SetPanel(3, Format(texts::PanelCombs, combs_.Count()));
  host_.changed(ChangeCombs);
}

void Workspace::CombsDeleteRows(const std::vector<int>& rows) {
  if (rows.empty() || combs_.Count() == 0) return;
  {
    BusyScope busy(busy_, texts::SavingUndo);
    combs_.UndoSave();
  }
  BusyScope busy(busy_, texts::DeletingCombs);
  combs_.RemoveRowsFromUndo(rows);
  combs_.FiltersListAdd(true, texts::SelectedCombs, std::to_string(rows.size()));
  CombsRefresh();
}

void Workspace::CombsFindInDraws(const TComb& comb) {
  std::vector<std::string> lines;
  {
    BusyScope busy(busy_, texts::SearchingDraws);
    lines = FindCombInDraws(archive_.Draws(), comb);
  }
  if (lines.empty()) {
    host_.showMessage(MessageKind::Information, texts::CombNotFound);
    return;
  }
  std::string text = std::string(texts::CombFoundIn) + "\n\n";
  for (const std::string& l : lines) text += Cp1251ToUtf8(l) + "\n";
  host_.showMessage(MessageKind::Information, text);
}

}  // namespace korvane
