#include "core/archive.h"

#include <algorithm>
#include <limits>
#include <system_error>

#include "core/dates.h"
#include "core/encoding.h"
#include "core/error.h"
#include "core/strutil.h"
#include "core/texts.h"

namespace korvane {

const std::array<std::string, ArchiveColumnCount>& ArchiveColumnCaptions() {
  static const std::array<std::string, ArchiveColumnCount> captions = {
      texts::ColDrawNumber, "1", "2", "3", texts::ColSum, texts::ColDrawDate};
  return captions;
}

std::string DrawArchive::Serialize(const TDrawsArray& draws) {
  std::string bytes(draws.size() * DrawRecSize, '\0');
  for (size_t i = 0; i < draws.size(); ++i)
    EncodeDrawRec(draws[i], reinterpret_cast<uint8_t*>(bytes.data() + i * DrawRecSize));
  return bytes;
}

void DrawArchive::Deserialize(std::string_view bytes, TDrawsArray& out) {
  const size_t count = bytes.size() / DrawRecSize;
  out.reserve(out.size() + count);
  for (size_t i = 0; i < count; ++i) {
    const TDrawRec rec =
        DecodeDrawRec(reinterpret_cast<const uint8_t*>(bytes.data() + i * DrawRecSize));
    const char* reason = nullptr;
    if (rec.number <= 0)
      reason = "номер тиража меньше 1";
    else if (rec.nums[0] > MaxNum || rec.nums[1] > MaxNum || rec.nums[2] > MaxNum)
      reason = "число вне диапазона 0..9";
    else if (rec.dateLen > TDrawRec::DateCapacity)
      reason = "длина даты больше 12";
    if (reason != nullptr)
      throw Error(Format(texts::BadDrawRecord, static_cast<int>(i + 1),
                         static_cast<long long>(i * DrawRecSize), reason));
    out.push_back(rec);
  }
}

void DrawArchive::Load() {
  Changed();
  draws_.clear();
  loadFailed_ = false;
  offset_ = 0;
  std::error_code ec;
  if (!fs::exists(path_, ec)) {
    Refresh();
    return;
  }
  try {
    Deserialize(ReadFile(path_), draws_);
  } catch (const Error& e) {
    loadFailed_ = true;
    Refresh();
    throw Error(std::string(e.what()) + "\n\n" +
                Format(texts::ArchiveNotLoaded, path_.string().c_str()));
  }
  Refresh();
}

void DrawArchive::Save() const {
  if (loadFailed_) throw Error(Format(texts::ArchiveNotLoaded, path_.string().c_str()));
  WriteFileAtomic(path_, Serialize(draws_));
}

void DrawArchive::Append(const TDrawRec& draw) {
  Changed();
  draws_.push_back(draw);
  Refresh();
}

void DrawArchive::AppendAll(const TDrawsArray& draws) {
  Changed();
  draws_.insert(draws_.end(), draws.begin(), draws.end());
  Refresh();
}

void DrawArchive::Replace(int index, const TDrawRec& draw) {
  if (index < 0 || index >= Count()) throw Error(Format(texts::DrawIndexNotFound, index));
  draws_[static_cast<size_t>(index)] = draw;
  Changed();
  Refresh();
}

void DrawArchive::DeleteDrawAt(int index) {
  if (index < 0 || index >= Count()) throw Error(Format(texts::DrawIndexNotFound, index));
  draws_.erase(draws_.begin() + index);
  Changed();
  Refresh();
}

int DrawArchive::DeleteListRows(const std::vector<int>& listRows) {
  std::vector<int> indexes;
  indexes.reserve(listRows.size());
  for (int r : listRows) {
    const int i = ListToIndex(r);
    if (r < 0 || i < 0) throw Error(Format(texts::DrawIndexNotFound, -1));
    indexes.push_back(i);
  }
  std::sort(indexes.begin(), indexes.end(), std::greater<>());
  indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
  for (int i : indexes) draws_.erase(draws_.begin() + i);
  Changed();
  Refresh();
  return static_cast<int>(indexes.size());
}

void DrawArchive::ClearDraws() {
  Changed();
  draws_.clear();
  Refresh();
}

int IndexOfDrawNumber(const TDrawsArray& draws, int32_t number) {
  const int count = static_cast<int>(draws.size());
  if (count == 0) return -1;
  const int last = count - 1;
  if (draws[0].number == number) return 0;
  if (draws[static_cast<size_t>(last)].number == number) return last;

  const int64_t first = draws[0].number;
  const int64_t denom = int64_t{draws[static_cast<size_t>(last)].number} - first + 1;
  if (denom > 0) {
    int64_t i = int64_t{count} * (int64_t{number} - first) / denom;
    if (i > last || i < 0) i = last;
    // Walk in one direction towards the number and stop once it is passed.
    const int step = draws[static_cast<size_t>(i)].number < number ? 1 : -1;
    while (i >= 0 && i <= last) {
      const int32_t n = draws[static_cast<size_t>(i)].number;
      if (n == number) return static_cast<int>(i);
      if ((step > 0 && n > number) || (step < 0 && n < number)) break;
      i += step;
    }
  }
  for (int i = last; i >= 0; --i)
    if (draws[static_cast<size_t>(i)].number == number) return i;
  return -1;
}

int DrawArchive::IndexOfDrawDate(std::string_view dateText, int lastN) const {
  const int count = Count();
  const int stop = lastN <= 0 ? 0 : std::max(0, count - lastN);
  for (int i = count - 1; i >= stop; --i)
    if (SameText(draws_[static_cast<size_t>(i)].DateText(), dateText)) return i;
  return -1;
}

int DrawArchive::NextDrawNumber(int listIndex) const {
  if (Empty()) return 1;
  if (listIndex < 0 || listIndex >= Count()) return -1;
  // The largest number has no successor: it stays the answer.
  const int32_t number = AtList(listIndex).number;
  return number < std::numeric_limits<int32_t>::max() ? number + 1 : number;
}

TComb DrawArchive::DrawNumbersAt(int listIndex) const {
  if (listIndex < 0 || listIndex >= Count()) return TComb{};
  return AtList(listIndex).nums;
}

std::string DrawArchive::NextDrawNumbersText(int offset) const {
  if (offset <= 0 || offset >= Count()) return {};
  return CombToText(AtList(offset - 1).nums);
}

int DrawArchive::DrawDateIntAt(int listIndex, int days) const {
  if (listIndex < 0 || listIndex >= Count()) return 19880429;
  DateTime date;
  try {
    date = TextToDrawDate(AtList(listIndex).DateText());
  } catch (const Error&) {
    date = DateTime{};  // an impossible day reads as no date
  }
  return IncDateInt(DateToInt(date), days);
}

bool DrawArchive::SetDrawsOffset(int offset) {
  offset = std::clamp(offset, 0, std::max(0, Count() - 1));
  if (offset == offset_) return false;
  offset_ = offset;
  Refresh();
  return true;
}

void DrawArchive::ClampOffset() { offset_ = std::clamp(offset_, 0, std::max(0, Count() - 1)); }

void DrawArchive::Refresh() {
  ClampOffset();
  knownNext_.reset();
  if (offset_ > 0 && offset_ < Count())
    for (uint8_t n : AtList(offset_ - 1).nums) knownNext_.set(n);
}

std::array<std::string, ArchiveColumnCount> DrawArchive::RowTexts(int listIndex,
                                                                  bool sorted) const {
  const TDrawRec& d = AtList(listIndex);
  TComb nums = d.nums;
  if (sorted) SortComb(nums);
  return {std::to_string(d.number),
          NumToText(nums[0]),
          NumToText(nums[1]),
          NumToText(nums[2]),
          std::to_string(nums[0] + nums[1] + nums[2]),
          Cp1251ToUtf8(d.DateText())};
}

}  // namespace korvane
