// reverse.cpp: breadth-first reverse play over box positions and hero regions.
#include "generator/reverse.h"

#include <algorithm>
#include <array>
#include <deque>
#include <unordered_map>

namespace {

struct Step {
  int dx;
  int dy;
  char letter;
};
const Step STEPS[4] = {{0, -1, 'u'}, {0, 1, 'd'}, {-1, 0, 'l'}, {1, 0, 'r'}};

// Boxes in ascending order, then the lowest anchor of the hero's region;
// unused entries hold NO_ANCHOR.
const uint16_t NO_ANCHOR = 0xffff;
using Key = std::array<uint16_t, MAX_PULLED_BOXES + 1>;

struct KeyHash {
  size_t operator()(const Key& key) const {
    size_t hash = 1469598103934665603u;
    for (uint16_t value : key) {
      hash = (hash ^ value) * 1099511628211u;
    }
    return hash;
  }
};

// A seen position and how it was reached: the pull that made it left the hero
// at `heroAfterPull`, having walked against direction `step`. Played forward,
// the hero walks to that anchor and pushes in direction `step`.
struct Node {
  Key key;
  uint32_t parent;
  uint16_t heroAfterPull;
  uint8_t step;
  uint16_t depth;
};

// The anchor one step from `anchor`, or -1 off the board.
int Moved(int anchor, int dx, int dy) {
  const int column = ColumnOf(anchor) + dx;
  const int row = RowOf(anchor) + dy;
  if (column < 0 || column >= BOARD_COLUMNS || row < 0 || row >= BOARD_ROWS) {
    return -1;
  }
  return AnchorAt(column, row);
}

// Anchors open to the hero among these boxes.
AnchorSet FreeAnchors(const AnchorSet& open, const std::vector<int>& boxes) {
  AnchorSet free = open;
  for (int box : boxes) {
    for (int dy = -1; dy <= 1; dy++) {
      for (int dx = -1; dx <= 1; dx++) {
        const int anchor = Moved(box, dx, dy);
        if (anchor >= 0) {
          free.reset(anchor);
        }
      }
    }
  }
  return free;
}

int FirstOf(const AnchorSet& set) {
  return static_cast<int>(set._Find_first());
}

Key KeyOf(std::vector<int> boxes, int heroRegionFirst) {
  std::sort(boxes.begin(), boxes.end());
  Key key;
  key.fill(NO_ANCHOR);
  for (size_t index = 0; index < boxes.size(); index++) {
    key[index] = static_cast<uint16_t>(boxes[index]);
  }
  key[MAX_PULLED_BOXES] = static_cast<uint16_t>(heroRegionFirst);
  return key;
}

std::vector<int> BoxesOf(const Key& key) {
  std::vector<int> boxes;
  for (int index = 0; index < MAX_PULLED_BOXES && key[index] != NO_ANCHOR; index++) {
    boxes.push_back(key[index]);
  }
  return boxes;
}

// The steps of a shortest walk between two anchors of one region.
std::string Walk(const AnchorSet& free, int from, int to) {
  std::vector<int> cameFrom(ANCHORS, -1);
  std::vector<char> letter(ANCHORS, 0);
  std::deque<int> queue = {from};
  cameFrom[from] = from;
  while (!queue.empty() && cameFrom[to] < 0) {
    const int anchor = queue.front();
    queue.pop_front();
    for (const Step& step : STEPS) {
      const int next = Moved(anchor, step.dx, step.dy);
      if (next >= 0 && free[next] && cameFrom[next] < 0) {
        cameFrom[next] = anchor;
        letter[next] = step.letter;
        queue.push_back(next);
      }
    }
  }
  std::string walk;
  for (int anchor = to; anchor != from; anchor = cameFrom[anchor]) {
    walk += letter[anchor];
  }
  return std::string(walk.rbegin(), walk.rend());
}

class PullSearcher {
 public:
  PullSearcher(const AnchorSet& open, const PullOptions& options)
      : open_(open), options_(options) {}

  PullSearch Run(const std::vector<int>& places) {
    const AnchorSet free = FreeAnchors(open_, places);
    AnchorSet unseen = free;
    while (unseen.any()) {
      const AnchorSet region = Reach(free, FirstOf(unseen));
      unseen &= ~region;
      Add(KeyOf(places, FirstOf(region)), UINT32_MAX, 0, 0, 0);
    }
    const int targetIndex = Search();
    PullSearch result;
    result.states = nodes_.size();
    result.exhausted = targetIndex < 0 && next_ == nodes_.size();
    if (options_.target) {
      if (targetIndex >= 0) {
        result.starts.push_back(StartAt(targetIndex, options_.target->hero));
      }
      return result;
    }
    std::vector<PulledStart> deepest;
    const uint16_t depth = nodes_.back().depth;
    for (size_t index = nodes_.size(); index-- > 0 && nodes_[index].depth == depth;) {
      deepest.push_back(StartAt(index, nodes_[index].key[MAX_PULLED_BOXES]));
      if (deepest.size() >= 64) {
        break;
      }
    }
    std::stable_sort(
        deepest.begin(), deepest.end(),
        [](const PulledStart& a, const PulledStart& b) { return a.boxChanges > b.boxChanges; });
    deepest.resize(std::min<size_t>(deepest.size(), options_.keep));
    result.starts = deepest;
    return result;
  }

 private:
  bool Add(const Key& key, uint32_t parent, int heroAfterPull, int step, int depth) {
    if (!seen_.emplace(key, nodes_.size()).second) {
      return false;
    }
    nodes_.push_back(Node{key, parent, static_cast<uint16_t>(heroAfterPull),
                          static_cast<uint8_t>(step), static_cast<uint16_t>(depth)});
    return true;
  }

  // Breadth first until every position is seen, the state budget is spent or
  // the target turns up; returns the target's node or -1.
  int Search() {
    Key target;
    if (options_.target) {
      const AnchorSet free = FreeAnchors(open_, options_.target->boxes);
      target = KeyOf(options_.target->boxes, FirstOf(Reach(free, options_.target->hero)));
      auto found = seen_.find(target);
      if (found != seen_.end()) {
        return found->second;
      }
    }
    for (; next_ < nodes_.size() && nodes_.size() < options_.maxStates; next_++) {
      const Node node = nodes_[next_];
      std::vector<int> boxes = BoxesOf(node.key);
      const AnchorSet free = FreeAnchors(open_, boxes);
      const AnchorSet reach = Reach(free, node.key[MAX_PULLED_BOXES]);
      for (size_t index = 0; index < boxes.size(); index++) {
        const int box = boxes[index];
        std::vector<int> others = boxes;
        others.erase(others.begin() + index);
        const AnchorSet freeOfOthers = FreeAnchors(open_, others);
        for (int stepIndex = 0; stepIndex < 4; stepIndex++) {
          const Step& step = STEPS[stepIndex];
          const int pulledTo = Moved(box, -step.dx, -step.dy);
          if (pulledTo < 0 || !freeOfOthers[pulledTo]) {
            continue;
          }
          // The hero stood with the box in front of it, straight or half a
          // block to a side, and steps back, leaving room for the box.
          for (int side = -1; side <= 1; side++) {
            const int heroBefore =
                Moved(box, -2 * step.dx + side * step.dy, -2 * step.dy + side * step.dx);
            if (heroBefore < 0 || !reach[heroBefore]) {
              continue;
            }
            const int heroAfter = Moved(heroBefore, -step.dx, -step.dy);
            if (heroAfter < 0 || !free[heroAfter]) {
              continue;
            }
            std::vector<int> pulled = others;
            pulled.push_back(pulledTo);
            const AnchorSet region = Reach(FreeAnchors(open_, pulled), heroAfter);
            const Key key = KeyOf(pulled, FirstOf(region));
            if (Add(key, next_, heroAfter, stepIndex, node.depth + 1) && options_.target &&
                key == target) {
              return static_cast<int>(nodes_.size() - 1);
            }
          }
        }
      }
    }
    return -1;
  }

  // Plays the pulls that made node `index` backward as pushes, with the hero
  // starting at `hero`.
  PulledStart StartAt(size_t index, int hero) {
    PulledStart start;
    start.start.boxes = BoxesOf(nodes_[index].key);
    start.start.hero = hero;
    start.pushes = nodes_[index].depth;
    int lastBox = -1;
    for (size_t at = index; nodes_[at].parent != UINT32_MAX; at = nodes_[at].parent) {
      const Node& node = nodes_[at];
      const std::vector<int> boxes = BoxesOf(node.key);
      const Step& step = STEPS[node.step];
      start.solution += Walk(FreeAnchors(open_, boxes), hero, node.heroAfterPull);
      start.solution += static_cast<char>(step.letter - 'a' + 'A');
      hero = Moved(node.heroAfterPull, step.dx, step.dy);
      // The pushed box is the one the hero's new body meets.
      int pushed = -1;
      for (int box : boxes) {
        if (BodiesOverlap(box, hero)) {
          pushed = box;
        }
      }
      if (lastBox >= 0 && pushed != lastBox) {
        start.boxChanges++;
      }
      lastBox = Moved(pushed, step.dx, step.dy);
    }
    return start;
  }

  const AnchorSet open_;
  const PullOptions options_;
  std::vector<Node> nodes_;
  std::unordered_map<Key, uint32_t, KeyHash> seen_;
  size_t next_ = 0;
};

}  // namespace

PullSearch PullFromPlaces(const AnchorSet& open, const std::vector<int>& places,
                          const PullOptions& options) {
  return PullSearcher(open, options).Run(places);
}
