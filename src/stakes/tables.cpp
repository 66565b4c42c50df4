#include "stakes/tables.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/encoding.h"
#include "core/error.h"
#include "core/strutil.h"
#include "core/texts.h"
#include "stakes/stake_data.h"
#include "stakes/texts.h"

namespace korvane {

namespace {

constexpr size_t kNameField = 256;
constexpr size_t kFromDrawAt = 256;
constexpr size_t kStartAt = 257;
constexpr size_t kCurrentAt = 260;
constexpr size_t kReservedAt = 263;
constexpr size_t kStepAt = 264;
constexpr size_t kStakesAt = 268;
static_assert(kStakesAt + 4 == TableRecSize);
static_assert(kReservedAt + 1 == kStepAt && kCurrentAt + NumsCount == kReservedAt);

void Put32(uint8_t* out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(v >> (8 * i));
}
uint32_t Get32(const uint8_t* in) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(in[i]) << (8 * i);
  return v;
}

bool CombInRange(const TComb& c) {
  return std::all_of(c.begin(), c.end(), [](uint8_t v) { return v >= MinNum && v <= MaxNum; });
}

// The first `chars` characters of a UTF-8 text.
std::string CutChars(std::string_view s, int chars) {
  size_t at = 0;
  for (int n = 0; at < s.size() && n < chars; ++n) {
    ++at;
    while (at < s.size() && (static_cast<uint8_t>(s[at]) & 0xC0) == 0x80) ++at;
  }
  return std::string(s.substr(0, at));
}

}  // namespace

void EncodeTableRec(const TTableData& r, uint8_t* out) {
  std::memset(out, 0, TableRecSize);
  std::string name = Utf8ToCp1251(r.name);
  if (name.size() > kNameField - 1) name.resize(kNameField - 1);
  out[0] = static_cast<uint8_t>(name.size());
  std::memcpy(out + 1, name.data(), name.size());
  out[kFromDrawAt] = r.fromDraw;
  std::memcpy(out + kStartAt, r.start.data(), NumsCount);
  std::memcpy(out + kCurrentAt, r.current.data(), NumsCount);
  out[kReservedAt] = 0;
  Put32(out + kStepAt, static_cast<uint32_t>(r.step));
  Put32(out + kStakesAt, static_cast<uint32_t>(r.stakes));
}

TTableData DecodeTableRec(const uint8_t* in) {
  TTableData r;
  // The length byte can name at most the 255 bytes after it: the name never leaves its field.
  r.name = Cp1251ToUtf8(std::string_view(reinterpret_cast<const char*>(in + 1), in[0]));
  r.fromDraw = in[kFromDrawAt];
  std::memcpy(r.start.data(), in + kStartAt, NumsCount);
  std::memcpy(r.current.data(), in + kCurrentAt, NumsCount);
  r.step = static_cast<int32_t>(Get32(in + kStepAt));
  r.stakes = static_cast<int32_t>(Get32(in + kStakesAt));
  return r;
}

const char* TableDataProblem(const TTableData& r) {
  if (r.fromDraw > 1) return texts::TableBadFromDraw;
  if (!CombInRange(r.start)) return texts::TableBadStart;
  if (!CombInRange(r.current)) return texts::TableBadCurrent;
  if (r.step < TableMinStep || r.step > TableMaxStep) return texts::TableBadStep;
  if (r.stakes < 0) return texts::TableBadStakes;
  return nullptr;
}

std::string Tables::Serialize(const TTablesArray& rows) {
  std::string bytes(rows.size() * TableRecSize, '\0');
  for (size_t i = 0; i < rows.size(); ++i)
    EncodeTableRec(rows[i], reinterpret_cast<uint8_t*>(bytes.data() + i * TableRecSize));
  return bytes;
}

void Tables::Deserialize(std::string_view bytes, TTablesArray& out) {
  const size_t count = bytes.size() / TableRecSize;
  out.reserve(out.size() + count);
  for (size_t i = 0; i < count; ++i) {
    TTableData r =
        DecodeTableRec(reinterpret_cast<const uint8_t*>(bytes.data() + i * TableRecSize));
    if (const char* problem = TableDataProblem(r))
      throw Error(Format(texts::BadTableRecord, static_cast<int>(i + 1), problem));
    out.push_back(std::move(r));
  }
  if (const size_t tail = bytes.size() % TableRecSize; tail != 0)
    throw Error(Format(texts::BadTableRecord, static_cast<int>(count + 1),
                       Format(texts::TableTornRecord, static_cast<int>(tail)).c_str()));
}

void Tables::Load(const fs::path& path) {
  rows_.clear();
  loadFailed_ = false;
  loadedPath_ = path;
  backup_.clear();
  std::error_code ec;
  if (!fs::exists(path, ec)) return;
  try {
    Deserialize(ReadFile(path), rows_);
  } catch (const Error&) {
    loadFailed_ = true;
    throw;
  }
}

void Tables::Save(const fs::path& path) {
  // What a failed load left unread is kept in a copy before the file is written over.
  std::error_code ec;
  if (loadFailed_ && path == loadedPath_ && fs::exists(path, ec)) {
    const fs::path copy = BackupPath(path);
    WriteFileAtomic(copy, ReadFile(path));
    backup_ = copy;
    loadFailed_ = false;
  }
  WriteFileAtomic(path, Serialize(rows_));
}

void Tables::Add(TTableData r) {
  if (const char* problem = TableDataProblem(r)) throw Error(Format(texts::BadTableData, problem));
  rows_.push_back(std::move(r));
}

void Tables::Delete(int index) {
  if (index < 0 || index >= Count()) throw Error(Format(texts::DrawIndexNotFound, index));
  rows_.erase(rows_.begin() + index);
}

void Tables::Replace(int index, TTableData r) {
  if (index < 0 || index >= Count()) throw Error(Format(texts::DrawIndexNotFound, index));
  if (const char* problem = TableDataProblem(r)) throw Error(Format(texts::BadTableData, problem));
  rows_[static_cast<size_t>(index)] = std::move(r);
}

void Tables::Clear() { rows_.clear(); }

void TablesAdvance(TTableData& r, const DrawArchive& archive, int offset) {
  const TComb base = r.fromDraw == 1 ? archive.DrawNumbersAt(offset) : r.current;
  r.current = ShiftComb(base, r.step);
  if (r.stakes < std::numeric_limits<int32_t>::max()) ++r.stakes;
}

TTableData PrepareRegular(const TSelectedCombs& selected) {
  TTableData r;
  r.name = texts::RegularDefaultName;
  r.step = 1;
  r.fromDraw = 0;
  r.stakes = static_cast<int32_t>(
      std::min<size_t>(selected.size(), static_cast<size_t>(std::numeric_limits<int32_t>::max())));
  if (selected.size() == 1) r.start = r.current = selected.front().second;
  return r;
}

TableDialogResult AcceptTableDialog(const TTableData& prepared, const TableDialogInput& in,
                                    const std::vector<std::string>& existingNames) {
  TableDialogResult res;
  TTableData r = prepared;
  if (prepared.stakes == 1) {
    const StakeNumbersInput start = ParseStakeNumbers(in.startText);
    if (in.fixedStart && !start.ok) {
      res.error = texts::BadDrawNumbers;
      res.field = TableDialogField::Start;
      return res;
    }
    if (start.ok)
      for (int p = 0; p < NumsCount; ++p)
        r.start[static_cast<size_t>(p)] = start.numbers.nums[static_cast<size_t>(p)];
  }
  const std::string name = CutChars(Trim(in.comment), TableNameMaxChars);
  if (name.empty()) {
    res.error = texts::NeedComment;
    res.field = TableDialogField::Comment;
    return res;
  }
  for (const std::string& other : existingNames)
    if (SameText(other, name)) {
      res.error = texts::TableNameExists;
      res.field = TableDialogField::Comment;
      return res;
    }
  r.name = name;
  r.fromDraw = in.fixedStart ? 0 : 1;
  r.step = std::clamp(in.step, TableMinStep, TableMaxStep);
  res.record = std::move(r);
  return res;
}

std::vector<TTableData> MakeRegulars(const TTableData& fromDialog, const TSelectedCombs& selected) {
  std::vector<TTableData> made;
  if (fromDialog.fromDraw == 1 || selected.size() == 1) {
    TTableData r = fromDialog;
    r.stakes = 0;
    r.current = r.start;
    made.push_back(std::move(r));
    return made;
  }
  made.reserve(selected.size());
  for (const auto& [position, comb] : selected) {
    TTableData r = fromDialog;
    r.name = Format(texts::RegularNumberedName, fromDialog.name.c_str(), position);
    r.start = r.current = comb;
    r.stakes = 0;
    made.push_back(std::move(r));
  }
  return made;
}

}  // namespace korvane
