#pragma once

// The stakes part of the workspace: the stake file with its exclusive hold, adding, checking,
// deleting, the stake logs and the ratings fed by checking.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/ratings_session.h"
#include "app/session_context.h"
#include "app/settings_store.h"
#include "core/archive.h"
#include "stakes/ratings.h"
#include "stakes/stake_log.h"
#include "stakes/stake_store.h"

namespace korvane {

class StakesSession {
 public:
  StakesSession(const SessionContext& ctx, const DrawArchive& archive,
                const SettingsStore& settings, RatingsSession& ratings);
  ~StakesSession();

  const StakeStore& Store() const { return stakes_; }
  bool IsOpen() const { return stakes_.IsOpen(); }
  int Count() const { return stakes_.IsOpen() ? stakes_.Count() : 0; }

  // Opens Korvane.lsk exclusively (creating it when missing); a repaired file is reported.
  // Throws Error when the file cannot be held.
  void Open();
  // Reads the file beside the program that holds it (the command line's readers).
  void OpenForReading();
  void Close() { stakes_.Close(); }

  // While the archive could not be read whole, making and checking stakes are refused with
  // its load error (empty: allowed).
  void RefuseWhile(const std::string& archiveError) { refusal_ = archiveError; }
  // Shows the refusal and returns true when stakes may not be made or checked now.
  bool Refused() const;

  // A new stake of a kind for the draw to be predicted (numbers empty when comb is none);
  // `sample` is the size of the combination list it came from.
  TStakeData NewStake(uint8_t kind, const std::optional<TComb>& comb, const std::string& comment,
                      int sample) const;
  // Adds one stake for `draws` draws, then checks and refreshes. False when it failed
  // (message shown).
  bool Add(const TStakeData& stake, int draws);
  // Adds one stake of a batch (no check); `batch` lets the grid follow only when asked to.
  bool AddInBatch(const TStakeData& stake, int draws, bool batch);
  // One stake per combination, then one check. Returns how many were added; a failed append
  // stops the batch.
  int AddMany(const std::vector<TStakeData>& stakes, int draws);
  // A scenario run's appends are flushed together when it ends (EndDeferral; false when the
  // flush failed, reported).
  void DeferFlush();
  bool EndDeferral();
  // The separator record a scenario run starts with; a failure is reported.
  bool AddSeparator();
  // Checks every checkable stake; on success the grid and ratings follow.
  StakeCheckResult CheckAndRefresh();
  // Asks, then deletes grid rows first..last (1-based).
  bool DeleteRows(int first, int last);
  bool DeleteByCondition(StakeRelation op, int value);
  // Asks with the record count, then empties the file; the ratings are rebuilt (asking
  // first when they have rows).
  bool Clear();
  // The stakes of these draw numbers (their draws were edited or deleted) lose their results
  // and their share of the ratings, and are checked again against the draws now carrying
  // those numbers.
  void Recheck(const std::vector<int32_t>& drawNumbers);
  // Empties the file without asking (a scenario line that starts afresh).
  bool Truncate();
  void DeleteLogs();
  bool Exists(int32_t draw, const TCountedComb& numbers) const {
    return stakes_.Find(draw, numbers);
  }
  // The grid and the "Ставок" panel follow the file; selectLast asks the face to show the
  // newest record.
  void GridUpdate(bool refresh, bool selectLast);
  // True once after a GridUpdate that asked for the newest record.
  bool TakeScroll();

 private:
  SessionContext ctx_;
  const DrawArchive& archive_;
  const SettingsStore& settings_;
  StakeStore stakes_;
  RatingsSession& ratings_;
  StakeLog log_;
  bool scroll_ = false;
  std::string refusal_;
};

}  // namespace korvane
