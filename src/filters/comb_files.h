#pragma once

// Combination files (*.lcv) and the clipboard form of combinations.

#include <string>
#include <string_view>
#include <vector>

#include "core/game.h"

namespace korvane {

// Reads a file image leniently: lines split at "," and ";" (runs count as one); lines
// without exactly three words, or with a word that is not an integer 0..9, are skipped.
TCombsArray ParseCombFile(std::string_view bytes);
// One CombToText line per combination, CR LF.
std::string CombsToFileText(const TComb* combs, int count);

// The clipboard text of combinations: one CombToClipText line each, every line ended by CR LF.
std::string CombsToClipText(const std::vector<TComb>& combs);
// Reads pasted text all or nothing: every line (a final line break makes no empty line) must
// be three numbers 0..9 in any form TextToComb reads. Throws Error with the bad line.
TCombsArray ParseClipText(std::string_view text);

}  // namespace korvane
