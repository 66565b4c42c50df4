#pragma once

// The semicolon-separated draw files: reading, writing, and the draw dialog's checks.

#include <string>
#include <string_view>
#include <vector>

#include "core/archive.h"
#include "core/dates.h"
#include "core/game.h"

namespace korvane {

// Splits one line into fields: ";" separates, a field may be quoted with doubled quotes
// inside, outside quotes a blank or control character also ends a field, blanks around
// separators are skipped, and a ";" at the very end adds one empty field.
std::vector<std::string> SplitCsvFields(std::string_view line);

// The written form of one draw (no line end): number;"date";n1;n2;n3.
std::string DrawToCsvLine(const TDrawRec& draw);
// The whole file image: one line per draw, CR LF, single-byte text.
std::string DrawsToCsv(const TDrawsArray& draws);

struct CsvRejectedLine {
  int line = 0;  // from 1
  std::string reason;
};

struct CsvImport {
  TDrawsArray draws;                      // to append, in file order
  int duplicates = 0;                     // lines whose draw number is already there
  std::vector<CsvRejectedLine> rejected;  // malformed lines
};

// Reads a file image against the archive: 5-field lines carry their draw number, 4-field
// lines get the archive count + 1 at the moment they are read. Lines with other field
// counts, an unreadable draw number or one outside 1..99,999,999, numbers that are not
// integers 0..9 or an impossible date are rejected and listed; lines whose number is already
// in the archive (or earlier in the file) are skipped as duplicates. Nothing is changed.
CsvImport ParseDrawsCsv(std::string_view bytes, const DrawArchive& archive);

// The one-line summary of rejected lines for the user, empty when there are none.
std::string RejectedLinesText(const std::vector<CsvRejectedLine>& rejected);

// The draw dialog: the numbers text must split at "," and ";" into exactly three integers
// 0..9; throws Error "Введена некорректная комбинация!" otherwise.
TComb ParseDrawNumbersInput(std::string_view text);
// The record the dialog makes from its fields; the date text is that of date + time.
TDrawRec MakeDialogDraw(int32_t number, std::string_view numbersText, DateTime date, DateTime time);
// The record "Добавить" proposes: every byte zero, the next draw number.
TDrawRec NewDrawProposal(const DrawArchive& archive);

}  // namespace korvane
