// corral.h: when part of the board is shut off from the hero, the push
// search may push only the boxes that shut it off (see corral.cpp for why).
#pragma once

#include <cstdint>
#include <vector>

#include "solver/model.h"

class CorralRule {
 public:
  explicit CorralRule(const PushModel& model);
  // The boxes at `boxes` (marked in `cover`, box i with i + 1) and the hero
  // at `hero`, whose area is the anchors with seen[a] == stamp. True when
  // some solution with the fewest pushes begins with a push of a box with
  // `only[i]` set, which then lists the boxes of the corral with the fewest
  // pushes; false when every push must be searched.
  bool Restrict(const Cover& cover, const uint16_t* boxes, int count, int hero,
                const uint32_t* seen, uint32_t stamp, std::vector<uint8_t>* only);

 private:
  // The number of pushes of the boundary boxes in `fence`, all of which
  // must go into the corral and be open to the hero now; -1 when the rule
  // does not hold for them.
  int FencePushes(const uint16_t* boxes, int count, int hero);
  // The pushes of the fence's boxes by rule 2, with Z as far as it is
  // marked; -1 when one breaks the rule.
  int IntoCorral(const uint16_t* boxes) const;
  // True when box `mark` at `anchor` could ever be pushed in `dir` while the
  // fence stands, by a hero anywhere in `fenceArea`.
  bool MayBePushed(int anchor, uint8_t mark, int dir) const;
  // The first of the two cells a push of the box at `anchor` in `dir`
  // newly covers; the other lies `side[dir]` on.
  int LeadingEdge(int anchor, int dir) const {
    const int offset = model.offset[dir];
    return offset < 0 ? anchor + offset : anchor + 2 * offset;
  }
  // True when a hero or a box outside the fence may cover `cell` while the
  // fence stands.
  bool InZone(int cell) const {
    for (int anchor : {cell, cell - 1, cell - MODEL_WIDTH, cell - MODEL_WIDTH - 1}) {
      if (fenceArea[anchor] == fenceStamp || boxReach[anchor] == fenceStamp) {
        return true;
      }
    }
    return false;
  }

  const PushModel& model;
  std::vector<uint8_t> usable;  // cells that a body clear of walls covers
  // Arrays marked with a stamp, so that nothing needs clearing: per call
  // the cells of the corrals found; per fence the anchors the hero reaches
  // with only walls and the fence in its way, and those a box outside the
  // fence may reach.
  std::vector<uint32_t> corralCell, fenceArea, boxReach;
  uint32_t callStamp = 0;
  uint32_t fenceStamp = 0;
  std::vector<uint8_t> inFence;      // per box
  std::vector<uint8_t> pushableNow;  // per box a bit for each way it can be pushed now
  std::vector<uint8_t> fenceable;    // per box: no push now covers the hero's area
  std::vector<int> fence;            // the boxes of the corral being tried
  std::vector<int> allFences;        // the boxes of every corral
  std::vector<int> cells;            // the cells of that corral
  std::vector<uint16_t> queue;
  Cover fenceCover;  // the fence's boxes alone
};
