// Pages from the network: the operator's results page (Архив тиражей → Загрузка) and the
// public proxy list of the automatic proxy choice. A server's reply is whatever it sends.
//
// The bytes are read as a results page for a range after a small archive: every draw taken
// from it must be a valid record that the archive file keeps, with a date of the range and a
// date text not seen before, numbered on from the archive. The same bytes read as a proxy list
// give only candidates a proxy may be.

#include <cstddef>
#include <cstdint>
#include <set>

#include "core/archive.h"
#include "core/dates.h"
#include "fuzz_support.h"
#include "online/download.h"
#include "online/proxy.h"

namespace {

using namespace korvane;

TDrawsArray Recent() {
  TDrawsArray recent;
  for (int i = 0; i < 3; ++i) {
    TDrawRec d;
    d.number = 41 + i;
    d.nums = {1, 2, 3};
    d.SetDateText(i == 0 ? "01/01/2020 E" : i == 1 ? "01/02/2020 M" : "01/02/2020 E");
    recent.push_back(d);
  }
  return recent;
}

void ResultsPage(std::string_view page) {
  std::optional<std::string_view> table;
  try {
    table = ExtractResultsTable(page);
  } catch (const Error&) {
    return;  // a section without its end: the retry question
  }
  if (!table) return;
  const TDrawsArray recent = Recent();
  std::vector<std::string> warnings;
  const TDrawsArray draws =
      NewDrawsOfRows(ReadResultRows(*table), 20200102, 20200410, recent, 44, warnings);
  std::set<std::string> dates;
  for (const TDrawRec& d : recent) dates.insert(d.DateText());
  for (size_t i = 0; i < draws.size(); ++i) {
    const TDrawRec& d = draws[i];
    KORVANE_FUZZ_CHECK(d.number == static_cast<int32_t>(44 + i));
    for (uint8_t n : d.nums) KORVANE_FUZZ_CHECK(n <= 9);
    const std::string text = d.DateText();
    KORVANE_FUZZ_CHECK(text.size() == 12 && (text.substr(10) == " M" || text.substr(10) == " E"));
    const auto day = ReadRowDate(text.substr(0, 10));
    KORVANE_FUZZ_CHECK(day && *day >= 20200102 && *day <= 20200410);
    KORVANE_FUZZ_CHECK(dates.insert(text).second);
  }
  TDrawsArray reloaded;
  DrawArchive::Deserialize(DrawArchive::Serialize(draws), reloaded);
  KORVANE_FUZZ_CHECK(reloaded == draws);
}

void ProxyList(std::string_view page) {
  const ProxyListPage p = ParseProxyListPage(page);
  KORVANE_FUZZ_CHECK(static_cast<int>(p.candidates.size()) <= p.rows);
  for (const std::string& c : p.candidates) KORVANE_FUZZ_CHECK(ParseProxyText(c).has_value());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = fuzz::AsText(data, size);
  ResultsPage(bytes);
  ProxyList(bytes);
  return 0;
}
