#include "stats/prefetch.h"

#include <system_error>

#include "core/datadir.h"
#include "core/error.h"
#include "core/strutil.h"

namespace korvane {

fs::path PrefetchPath(const fs::path& dataDir, const TStatMethod& entry) {
  return dataDir / "Prefetchs" / (std::string(FileBaseName) + "_" + entry.MethodCode() + ".dfc");
}

std::string MakePrefetchImage(TCustomStat& stat) {
  TStatDrawArray list;
  for (int a = MinNum; a <= MaxNum; ++a)
    for (int b = MinNum; b <= MaxNum; ++b)
      for (int c = MinNum; c <= MaxNum; ++c)
        stat.EvaluateComb(
            list, TComb{static_cast<uint8_t>(a), static_cast<uint8_t>(b), static_cast<uint8_t>(c)});
  SortStatValues(list);
  const StatTotalsResult totals = StatTotals(list);
  std::string image((list.size() + 1) * PrefetchRecSize, '\0');
  auto* out = reinterpret_cast<uint8_t*>(image.data());
  for (const TStatDrawRec& r : list) {
    EncodePrefetchRec(r, out);
    out += PrefetchRecSize;
  }
  // Trailer: smallest count, largest count, 0 (an empty list gives 2147483647, 0).
  TStatDrawRec trailer;
  trailer.key.SetDword(0, list.empty() ? 0 : totals.minCount);
  trailer.key.SetDword(1, totals.maxCount);
  trailer.count = 0;
  EncodePrefetchRec(trailer, out);
  return image;
}

std::optional<PrefetchData> ParsePrefetch(std::string_view bytes) {
  if (bytes.size() < PrefetchRecSize || bytes.size() % PrefetchRecSize != 0) return std::nullopt;
  const auto* in = reinterpret_cast<const uint8_t*>(bytes.data());
  const size_t records = bytes.size() / PrefetchRecSize - 1;
  const TStatDrawRec trailer = DecodePrefetchRec(in + records * PrefetchRecSize);
  PrefetchData data;
  data.fmin = trailer.key.Dword(0);
  data.fmax = trailer.key.Dword(1);
  if (trailer.count != 0 || data.fmax <= 0 || data.fmin > data.fmax) return std::nullopt;
  data.records.reserve(records);
  for (size_t i = 0; i < records; ++i)
    data.records.push_back(DecodePrefetchRec(in + i * PrefetchRecSize));
  return data;
}

PrefetchData CreatePrefetch(const fs::path& dataDir, const TStatList& registry, int i) {
  const fs::path path = PrefetchPath(dataDir, registry.Items(i));
  auto stat = registry.CreateStat(i);
  const std::string image = MakePrefetchImage(*stat);
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  if (ec) throw Error(Format("%s: %s", path.parent_path().string().c_str(), ec.message().c_str()));
  WriteFileAtomic(path, image);
  auto data = ParsePrefetch(image);
  return data ? *data : PrefetchData{};
}

PrefetchData OpenPrefetch(const fs::path& dataDir, const TStatList& registry, int i,
                          const std::function<void(const std::string&)>& onCreate) {
  const fs::path path = PrefetchPath(dataDir, registry.Items(i));
  std::error_code ec;
  if (fs::exists(path, ec)) {
    std::string bytes;
    try {
      bytes = ReadFile(path);
    } catch (const Error& e) {
      throw PrefetchError{false, path.string(), e.what()};
    }
    if (auto data = ParsePrefetch(bytes)) return *data;
  }
  // Missing, empty or damaged: made anew.
  if (onCreate) onCreate(path.filename().string());
  try {
    return CreatePrefetch(dataDir, registry, i);
  } catch (const Error& e) {
    throw PrefetchError{true, path.string(), e.what()};
  }
}

int CreateAllPrefetch(const fs::path& dataDir, const TStatList& registry,
                      const std::set<int>& groups,
                      const std::function<bool(int, int, const std::string&)>& step,
                      const std::function<void(const PrefetchError&)>& onError) {
  int written = 0;
  const int total = registry.Count();
  for (int i = 0; i < total; ++i) {
    const TStatMethod& m = registry.Items(i);
    if (step && !step(i, total, m.MethodCode())) break;
    if (!m.statClass->HasNorm()) continue;
    const fs::path path = PrefetchPath(dataDir, m);
    std::error_code ec;
    if (fs::exists(path, ec) && !groups.count(m.statClass->group)) continue;
    try {
      CreatePrefetch(dataDir, registry, i);
      ++written;
    } catch (const Error& e) {
      if (onError) onError(PrefetchError{true, path.string(), e.what()});
    }
  }
  if (step) step(total, total, {});
  return written;
}

}  // namespace korvane
