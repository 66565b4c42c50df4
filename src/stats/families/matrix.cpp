// Matrix rows and columns. In this game every number stands in column 0 and in row n + 1, and
// only the pairs and triples of columns and of rows are offered; they work like the channel
// pairs and triples.

#include "stats/families/family.h"
#include "stats/stat_base.h"

namespace korvane {

namespace {

// The matrix coordinate of every position: the column (MatrixCoord1) or the row
// (MatrixCoord2) of the number there.
template <int (*Coord)(int)>
class MatrixAxisStat : public TCustomNumbersStat {
 public:
  using TCustomNumbersStat::TCustomNumbersStat;

 protected:
  static PosCoords CoordsOf(const TComb& c) {
    return {static_cast<int16_t>(Coord(c[0])), static_cast<int16_t>(Coord(c[1])),
            static_cast<int16_t>(Coord(c[2]))};
  }
};

// KFM2, KFM3, KFS2, KFS3: pairs and triples of the columns of the positions.
template <PosGroups Groups>
using TstCombCol = CoordGroupsStat<MatrixAxisStat<MatrixCoord1>, Groups>;
// KRM2, KRM3, KRS2, KRS3: pairs and triples of the rows of the positions.
template <PosGroups Groups>
using TstCombRow = CoordGroupsStat<MatrixAxisStat<MatrixCoord2>, Groups>;

}  // namespace

const std::vector<FamilyMember>& MatrixFamily() {
  static const std::vector<FamilyMember> members = {
      {"TstCombColMix2", "Сочетания из 2 столбцов по всем числам тиража",
       &CreateStatOf<TstCombCol<PosGroups::AllPairs>>},
      {"TstCombColMix3", "Сочетания из 3 столбцов по всем числам тиража",
       &CreateStatOf<TstCombCol<PosGroups::Triple>>},
      {"TstCombColSeq2", "Сочетания из 2 столбцов по соседним числам",
       &CreateStatOf<TstCombCol<PosGroups::NeighbourPairs>>},
      {"TstCombColSeq3", "Сочетания из 3 столбцов по соседним числам",
       &CreateStatOf<TstCombCol<PosGroups::Triple>>},
      {"TstCombRowMix2", "Сочетания из 2 строк по всем числам тиража",
       &CreateStatOf<TstCombRow<PosGroups::AllPairs>>},
      {"TstCombRowMix3", "Сочетания из 3 строк по всем числам тиража",
       &CreateStatOf<TstCombRow<PosGroups::Triple>>},
      {"TstCombRowSeq2", "Сочетания из 2 строк по соседним числам",
       &CreateStatOf<TstCombRow<PosGroups::NeighbourPairs>>},
      {"TstCombRowSeq3", "Сочетания из 3 строк по соседним числам",
       &CreateStatOf<TstCombRow<PosGroups::Triple>>},
  };
  return members;
}

}  // namespace korvane
