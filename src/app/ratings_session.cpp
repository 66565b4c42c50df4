#include "app/ratings_session.h"

#include "app/dialogue.h"
#include "core/error.h"
#include "core/strutil.h"
#include "stakes/texts.h"

namespace korvane {

namespace {

// A copy of a file beside it under a free name.
fs::path KeepCopy(const fs::path& path) {
  const fs::path copy = BackupPath(path);
  WriteFileAtomic(copy, ReadFile(path));
  return copy;
}

}  // namespace

RatingsSession::RatingsSession(const SessionContext& ctx, const SettingsStore& settings)
    : ctx_(ctx), settings_(settings) {}

EffMode RatingsSession::Mode() const {
  const int mode = settings_.View().ratingsEffMode;
  return mode == 0 ? EffMode::Expected : mode == 2 ? EffMode::Relative : EffMode::Absolute;
}

void RatingsSession::Load() {
  const ListState st = settings_.List("lvRatings", 0);
  if (st.sort) {
    sortColumn_ = st.sort->first;
    descending_ = st.sort->second != 0;
  }
  std::error_code ec;
  if (fs::exists(ctx_.files.Ratings(), ec)) {
    BusyScope busy(ctx_.busy, texts::LoadingRatings);
    keepCopy_ =
        !Guarded(ctx_.host, texts::RatingsReadError, [&] { ratings_.Load(ctx_.files.Ratings()); });
  }
  if (keepCopy_) {
    // A file that failed to load is left as it is until the rows change; then a copy of it is
    // kept first.
    if (sortColumn_ >= 0 && ratings_.Count() >= 2) ratings_.Sort(sortColumn_, descending_);
    Show();
    return;
  }
  Sort(sortColumn_, descending_);
}

void RatingsSession::AfterCheck() { Sort(sortColumn_, descending_); }

void RatingsSession::DeferSave(bool on) {
  deferSave_ = on;
  if (!on && unsaved_) Save();
}

void RatingsSession::Sort(int column, bool descending) {
  sortColumn_ = column;
  descending_ = descending;
  if (column >= 0 && ratings_.Count() >= 2) {
    BusyScope busy(ctx_.busy, texts::SortingRatings);
    ratings_.Sort(column, descending);
  }
  // Every sort rewrites the file (it keeps the rows in the list's order).
  Save();
}

void RatingsSession::ClickColumn(int column) {
  Sort(column, column == sortColumn_ ? !descending_ : false);
}

bool RatingsSession::Refresh(const StakeStore& stakes, bool ask) {
  if (ask && ratings_.Count() > 0 && !ctx_.host.ask(texts::AskRatingsRefresh, false)) return false;
  {
    BusyScope busy(ctx_.busy, texts::RefreshingRatings);
    if (!Guarded(ctx_.host, texts::RatingsRefreshError, [&] { ratings_.Rebuild(stakes); }))
      return false;
  }
  Sort(sortColumn_, descending_);
  return true;
}

bool RatingsSession::Save() {
  bool ok = true;
  if (readOnly_) {
    // Nothing is written beside another program's folder.
  } else if (deferSave_) {
    unsaved_ = true;
  } else {
    BusyScope busy(ctx_.busy, texts::SavingRatings);
    ok = Guarded(ctx_.host, texts::RatingsWriteError, [&] {
      if (keepCopy_) {
        const fs::path copy = KeepCopy(ctx_.files.Ratings());
        keepCopy_ = false;
        ctx_.host.showMessage(MessageKind::Warning,
                              Format(texts::RatingsCopyKept, copy.string().c_str()));
      }
      ratings_.Save(ctx_.files.Ratings());
    });
    unsaved_ = !ok;
  }
  Show();
  return ok;
}

void RatingsSession::Show() {
  ctx_.panels.Set(StatusPanel::Ratings, Format(texts::PanelRatings, ratings_.Count()));
  ctx_.host.changed(ChangeRatings);
}

bool RatingsSession::ExportCsv(const fs::path& path) const {
  BusyScope busy(ctx_.busy, texts::ExportingCsv);
  return Guarded(ctx_.host, nullptr, [&] { WriteFileAtomic(path, RatingsCsv(ratings_.Rows())); });
}

}  // namespace korvane
