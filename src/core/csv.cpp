#include "core/csv.h"

#include <unordered_set>

#include "core/encoding.h"
#include "core/error.h"
#include "core/strutil.h"
#include "core/texts.h"

namespace korvane {

namespace {
// Draw numbers have at most eight digits; larger ones would leave no room for the arithmetic on
// them.
constexpr int32_t MaxImportedDrawNumber = 99999999;

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' ' && c != '\0'; }
}  // namespace

std::vector<std::string> SplitCsvFields(std::string_view line) {
  std::vector<std::string> fields;
  line = line.substr(0, line.find('\0'));  // the line ends at a NUL byte
  size_t p = 0;
  const size_t n = line.size();
  while (p < n && IsBlank(line[p])) ++p;
  while (p < n) {
    std::string field;
    if (line[p] == '"') {
      ++p;
      while (p < n) {
        if (line[p] == '"') {
          if (p + 1 < n && line[p + 1] == '"') {
            field += '"';
            p += 2;
            continue;
          }
          ++p;  // closing quote
          break;
        }
        field += line[p++];
      }
    } else {
      const size_t start = p;
      while (p<n&& static_cast<unsigned char>(line[p])> ' ' && line[p] != ';') ++p;
      field.assign(line.substr(start, p - start));
    }
    fields.push_back(std::move(field));
    while (p < n && IsBlank(line[p])) ++p;
    if (p < n && line[p] == ';') {
      if (p + 1 == n) fields.emplace_back();
      do {
        ++p;
      } while (p < n && IsBlank(line[p]));
    }
  }
  return fields;
}

std::string DrawToCsvLine(const TDrawRec& draw) {
  std::string date = draw.DateText();
  std::string quoted = "\"";
  for (char c : date) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return std::to_string(draw.number) + ";" + quoted + ";" + NumToText(draw.nums[0]) + ";" +
         NumToText(draw.nums[1]) + ";" + NumToText(draw.nums[2]);
}

std::string DrawsToCsv(const TDrawsArray& draws) {
  std::string out;
  out.reserve(draws.size() * 26);
  for (const TDrawRec& d : draws) {
    out += DrawToCsvLine(d);
    out += "\r\n";
  }
  return out;
}

CsvImport ParseDrawsCsv(std::string_view bytes, const DrawArchive& archive) {
  CsvImport result;
  std::unordered_set<int32_t> taken;
  int lineNo = 0;
  for (const std::string& line : SplitLines(bytes)) {
    ++lineNo;
    if (Trim(line).empty()) continue;
    const std::vector<std::string> f = SplitCsvFields(line);
    auto reject = [&](const char* reason) { result.rejected.push_back({lineNo, reason}); };
    if (f.size() != 4 && f.size() != 5) {
      reject("неверное число полей");
      continue;
    }
    const size_t first = f.size() - 4;  // index of the date field
    TDrawRec rec;
    if (f.size() == 5) {
      const auto number = ParseInt32(Trim(f[0]));
      if (!number || *number <= 0 || *number > MaxImportedDrawNumber) {
        reject("некорректный номер тиража");
        continue;
      }
      rec.number = *number;
    } else {
      rec.number = archive.Count() + static_cast<int32_t>(result.draws.size()) + 1;
    }
    bool numbersOk = true;
    for (int p = 0; p < NumsCount; ++p) {
      const auto v = ParseInt32(Trim(f[first + 1 + static_cast<size_t>(p)]));
      if (!v || *v < MinNum || *v > MaxNum) {
        numbersOk = false;
        break;
      }
      rec.nums[static_cast<size_t>(p)] = static_cast<uint8_t>(*v);
    }
    if (!numbersOk) {
      reject("числа должны быть целыми от 0 до 9");
      continue;
    }
    rec.SetDateText(f[first]);
    try {
      TextToDrawDate(rec.DateText());
    } catch (const Error&) {
      reject("несуществующая дата");
      continue;
    }
    if (archive.IndexOfDrawNumber(rec.number) >= 0 || !taken.insert(rec.number).second) {
      ++result.duplicates;
      continue;
    }
    result.draws.push_back(rec);
  }
  return result;
}

std::string RejectedLinesText(const std::vector<CsvRejectedLine>& rejected) {
  if (rejected.empty()) return {};
  return Format("Пропущено некорректных строк: %zu (первая: строка %d, %s).", rejected.size(),
                rejected.front().line, rejected.front().reason.c_str());
}

TComb ParseDrawNumbersInput(std::string_view text) {
  const auto words = SplitAny(text, ",;");
  if (words.size() != NumsCount) throw Error(texts::BadDrawNumbers);
  TComb c{};
  for (size_t p = 0; p < words.size(); ++p) {
    const auto v = ParseInt32(Trim(words[p]));
    if (!v || *v < MinNum || *v > MaxNum) throw Error(texts::BadDrawNumbers);
    c[p] = static_cast<uint8_t>(*v);
  }
  return c;
}

TDrawRec MakeDialogDraw(int32_t number, std::string_view numbersText, DateTime date,
                        DateTime time) {
  TDrawRec rec;
  rec.number = number;
  rec.nums = ParseDrawNumbersInput(numbersText);
  rec.SetDateText(DrawDateToText(DateTime{DatePart(date).seconds + TimeOfDaySeconds(time)}));
  return rec;
}

TDrawRec NewDrawProposal(const DrawArchive& archive) {
  TDrawRec rec;
  rec.number = archive.NextDrawNumber(0);
  return rec;
}

}  // namespace korvane
