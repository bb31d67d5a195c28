// search.cpp: A* over pushes with a transposition table, a matching lower
// bound and deadlock pruning.
#include "solver/search.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "solver/corral.h"

namespace {

// Everything kept per state besides its key.
struct StateRecord {
  uint32_t parent;
  uint32_t moves;
  uint16_t pushes;
  uint16_t step;   // pusher * 4 + direction index of the push that led here
  uint16_t lower;  // the lower bound of the pushes still to come
  union {
    // The push search's key at which an expanded state is expanded again
    // for the children it held back; 0 for none.
    uint16_t next;
    // The searches that count moves: the lower bound of the moves still to
    // come by the hero's walk (WalkBound).
    uint16_t walk;
  };
};

// An open-list entry; smaller keys come first.
struct OpenEntry {
  uint32_t primary;
  uint32_t secondary;
  uint32_t index;
};

// The open list: a bucket of state indices for every pair of keys, taken
// last in, first out. With a consistent bound the primary key of the states
// taken never falls, so a cursor walks the buckets forward.
class OpenList {
 public:
  bool Empty() const { return count == 0; }
  size_t Bytes() const { return bytes; }
  // Adds an entry unless that would take the list past `limit` bytes.
  bool Push(const OpenEntry& entry, size_t limit) {
    if (entry.primary >= buckets.size()) {
      buckets.resize(entry.primary + 1);
    }
    std::vector<std::vector<uint32_t>>& row = buckets[entry.primary];
    if (entry.secondary >= row.size()) {
      bytes += (entry.secondary + 1 - row.size()) * sizeof(row[0]);
      row.resize(entry.secondary + 1);
    }
    std::vector<uint32_t>& bucket = row[entry.secondary];
    if (bucket.size() == bucket.capacity()) {
      const size_t more = std::max<size_t>(4, bucket.capacity()) * sizeof(uint32_t);
      if (bytes + more > limit) {
        return false;
      }
      bytes += more;
    }
    bucket.push_back(entry.index);
    count++;
    if (entry.primary < primary || (entry.primary == primary && entry.secondary < secondary)) {
      primary = entry.primary;
      secondary = entry.secondary;
    }
    return true;
  }
  OpenEntry Pop() {
    for (;;) {
      if (secondary < buckets[primary].size() && !buckets[primary][secondary].empty()) {
        std::vector<uint32_t>& bucket = buckets[primary][secondary];
        const uint32_t index = bucket.back();
        bucket.pop_back();
        count--;
        return {primary, secondary, index};
      }
      if (++secondary >= buckets[primary].size()) {
        primary++;
        secondary = 0;
      }
    }
  }

 private:
  std::vector<std::vector<std::vector<uint32_t>>> buckets;  // [primary][secondary]
  uint32_t primary = 0;
  uint32_t secondary = 0;
  size_t count = 0;
  size_t bytes = 0;
};

// The search for the fewest moves among the solutions with the fewest pushes
// stops after this many times the push search's states (and 60000 more),
// unless told its own budget.
const uint64_t MOVES_BUDGET = 4;

const uint32_t NO_PARENT = 0xffffffffu;
const uint64_t VERDICT_BITS = 0xffff;
const size_t VERDICT_SHARE = 4;
const uint16_t CLOSED = 0x8000;  // in StateRecord::step once a state is expanded

class Search {
 public:
  // `pushSearch`, for SEARCH_PUSHES_THEN_MOVES: the finished push search
  // whose table says how many pushes a state may have been reached with.
  Search(const PushModel& model, SearchMode mode, const SearchLimits& limits,
         const Search* pushSearch = nullptr)
      : model(model), mode(mode), limits(limits), bound(model), pushSearch(pushSearch) {
    boxCount = static_cast<int>(model.boxes.size());
    stride = boxCount + 1;
    childGroups.resize(boxCount);
    sidedBoxes.resize(boxCount);
    memoryBytes = limits.memoryBytes;
    if (mode != SEARCH_PUSHES) {
      walkBound = std::make_unique<WalkBound>(model);
    }
  }

  SearchResult Run();
  // Set, the search pushes only into a corral where that loses no solution
  // with the fewest pushes (see corral.cpp); for a push search whose table
  // no later search reads.
  std::unique_ptr<CorralRule> corrals;
  // Lists the boxes of the states expanded, for ShortestPushes.
  void ListExpandedBoxes() {
    for (size_t i = 0; i < records.size(); i++) {
      if ((records[i].step & CLOSED) != 0) {
        expandedBoxes.push_back(Hash(&keys[i * stride], boxCount));
      }
    }
    std::sort(expandedBoxes.begin(), expandedBoxes.end());
  }
  // The bytes of the search's tables.
  size_t Bytes() const {
    return keys.capacity() * sizeof(uint16_t) + records.capacity() * sizeof(StateRecord) +
           expandedBoxes.capacity() * sizeof(uint64_t) + table.capacity() * sizeof(uint64_t) +
           verdicts.capacity() * sizeof(uint64_t) + open.Bytes() + bound.Bytes() +
           (lastExpanded.capacity() + expandedBefore.capacity()) * sizeof(uint32_t) +
           (walkBound ? walkBound->Bytes() : 0);
  }

 private:
  // Makes room for one more element, false when that would pass the limit.
  template <typename T>
  bool Room(std::vector<T>& items, size_t more) {
    if (items.size() + more <= items.capacity()) {
      return true;
    }
    const size_t grown = std::max<size_t>(1024, items.capacity() + items.capacity() / 2);
    const size_t needed = Bytes() + grown * sizeof(T);  // old and new live together a moment
    if (needed > memoryBytes) {
      return false;
    }
    peakBytes = std::max(peakBytes, needed);
    items.reserve(grown);
    return true;
  }
  static uint64_t Hash(const uint16_t* key, int length) {
    uint64_t hash = 0x9e3779b97f4a7c15ull;
    for (int i = 0; i < length; i++) {
      hash = (hash ^ key[i]) * 0xff51afd7ed558ccdull;
    }
    hash ^= hash >> 33;
    hash *= 0xc4ceb9fe1a85ec53ull;
    return hash ^ (hash >> 29);
  }
  bool SameKey(uint32_t index, const uint16_t* key) const {
    const uint16_t* stored = &keys[index * static_cast<size_t>(stride)];
    for (int i = 0; i < stride; i++) {
      if (stored[i] != key[i]) {
        return false;
      }
    }
    return true;
  }
  bool GrowTable();
  // Finds the state with this key, or adds it; -1 when memory ran out.
  int64_t FindOrAdd(const uint16_t* key, bool* added);
  // The state with this key; -1 when there is none.
  int64_t Find(const uint16_t* key) const;
  // The pushes with which the boxes of `childKey`, the hero at `stepped`
  // after a push and the bound `lower`, must be reached to lie on a solution
  // with the fewest pushes, by what the push search learned.
  uint32_t ShortestPushes(int stepped, uint32_t lower);
  // Moves box `i` by direction `dir` in `cover` and `childBoxes`, and fills
  // `childKey` with the sorted boxes; false when the child is pruned. With
  // the hero's exact anchor `lower` gets the child's bound.
  bool MakeChild(int i, int dir, int stepped, uint32_t pushes, uint32_t* lower);
  // The group of spots behind the child's box at `box` (LowerBound::Group)
  // for the hero at `stepped` after it pushed the box now at `moved` (-1 at
  // the start, where parentSeen holds the hero's own area).
  int HeroGroup(int box, int moved, int stepped);
  // Offers the child in `childKey` reached by the push of `pusher` in `dir`
  // from state `index`: stores it, or a shorter path to it, and opens it.
  // False when the search must stop.
  bool Offer(uint32_t index, uint32_t primary, int pusher, int dir, uint32_t lower,
             SearchResult* result);
  // The hero's area from `start` among the `boxes` (boxCount of them);
  // returns its top-left-most anchor and marks `seen` with `stamp` (and
  // fills `distance` when asked).
  int Walk(int start, const uint16_t* boxes, uint32_t* seen, uint32_t stamp, bool measure);
  bool IsGoal(const uint16_t* key) const {
    int placed = 0;
    for (int i = 0; i < boxCount; i++) {
      placed += model.isPlace[key[i]];
    }
    return placed == model.goalCount;
  }
  OpenEntry EntryOf(uint32_t index) const {
    const StateRecord& record = records[index];
    const uint32_t lower = record.lower;
    switch (mode) {
      case SEARCH_PUSHES:
        return {record.pushes + lower, lower, index};
      case SEARCH_PUSHES_THEN_MOVES:
        // Every state here lies at most the pushes still to come, P - d,
        // from a goal (see ShortestPushes), so the moves to come are at
        // least as many. Deeper states first among equal keys.
        return {record.moves + std::max<uint32_t>(limits.pushBound - record.pushes, record.walk),
                static_cast<uint32_t>(limits.pushBound - record.pushes), index};
      case SEARCH_MOVES:
        return {record.moves + std::max<uint32_t>(lower, record.walk), record.pushes, index};
    }
    return {};
  }
  // True when a path of these pushes and moves beats the state's own.
  bool Better(uint32_t pushes, uint32_t moves, const StateRecord& record) const {
    if (mode != SEARCH_PUSHES) {
      return moves < record.moves || (moves == record.moves && pushes < record.pushes);
    }
    return pushes < record.pushes || (pushes == record.pushes && moves < record.moves);
  }
  uint32_t DominatedPushers(int box, uint8_t mark, int dir) const;
  bool Dominated(uint32_t index);
  void ListExpanded(uint32_t index);
  bool Expand(uint32_t index, uint32_t primary, SearchResult* result);
  void Report(uint32_t bound);
  SearchResult Finish(SearchResult result, uint32_t goal);

  const PushModel& model;
  SearchMode mode;
  SearchLimits limits;
  LowerBound bound;
  std::unique_ptr<WalkBound> walkBound;  // for the searches that count moves
  const Search* pushSearch;
  std::vector<uint8_t> corralBoxes;  // the boxes a corral leaves to push
  int boxCount;
  int stride;
  size_t memoryBytes;
  size_t peakBytes = 0;

  std::vector<uint16_t> keys;  // stride per state: sorted box anchors, then the hero
  std::vector<StateRecord> records;
  // Per slot the upper half of the key's hash and the state's index + 1; 0
  // for an empty slot.
  std::vector<uint64_t> table;
  size_t tableMask = 0;
  // Per slot a sorted set of boxes' verdict: its bound of pushes, or
  // NO_DISTANCE when pruned; see MakeChild. A quarter as many slots as the
  // table: more would hold the largest searches closer to their memory limit
  // for little time.
  std::vector<uint64_t> verdicts;
  size_t verdictMask = 0;
  // Where the hero counts: per slot of a boxes' hash the last state expanded
  // with those boxes (index + 1; as many slots as verdicts), and per state
  // the one expanded with the same boxes before it; see Dominated.
  std::vector<uint32_t> lastExpanded;
  std::vector<uint32_t> expandedBefore;
  // Hashes of the boxes of the states expanded, sorted; see ShortestPushes.
  std::vector<uint64_t> expandedBoxes;
  OpenList open;

  Cover cover;
  uint32_t parentSeen[MODEL_CELLS] = {};
  uint32_t childSeen[MODEL_CELLS] = {};
  uint32_t parentStamp = 0;
  uint32_t childStamp = 0;
  uint32_t blocked[MODEL_CELLS] = {};  // see Walk
  uint32_t blockedStamp = 0;
  uint16_t queue[MODEL_CELLS] = {};
  uint16_t distance[MODEL_CELLS] = {};
  std::vector<uint16_t> childKey;
  std::vector<uint8_t> childGroups;  // per box of childKey, the hero's group of spots
  std::vector<uint16_t> sidedBoxes;  // per box of childKey, its anchor and that group
  std::vector<uint16_t> childBoxes;  // in the parent's order, as `cover` marks them
  uint64_t expanded = 0;
  double lastReport = 0;
};

bool Search::GrowTable() {
  const size_t size = table.empty() ? 1 << 10 : table.size() * 2;
  // The new table and verdicts live beside the old table a moment.
  const size_t needed = Bytes() - verdicts.capacity() * sizeof(uint64_t) -
                        lastExpanded.capacity() * sizeof(uint32_t) +
                        (size + size / VERDICT_SHARE) * sizeof(uint64_t) +
                        (mode != SEARCH_PUSHES ? size / VERDICT_SHARE * sizeof(uint32_t) : 0);
  if (needed > memoryBytes) {
    return false;
  }
  peakBytes = std::max(peakBytes, needed);
  std::vector<uint64_t>().swap(verdicts);
  std::vector<uint32_t>().swap(lastExpanded);
  std::vector<uint64_t> grown(size, 0);
  tableMask = size - 1;
  verdicts.assign(size / VERDICT_SHARE, 0);
  verdictMask = size / VERDICT_SHARE - 1;
  if (mode != SEARCH_PUSHES) {
    lastExpanded.assign(size / VERDICT_SHARE, 0);
    for (uint32_t i = 0; i < records.size(); i++) {
      if ((records[i].step & CLOSED) != 0) {
        ListExpanded(i);
      }
    }
  }
  for (size_t i = 0; i < records.size(); i++) {
    const uint64_t hash = Hash(&keys[i * stride], stride);
    size_t slot = hash & tableMask;
    while (grown[slot] != 0) {
      slot = (slot + 1) & tableMask;
    }
    grown[slot] = (hash & ~0xffffffffull) | (i + 1);
  }
  table.swap(grown);
  return true;
}

int64_t Search::Find(const uint16_t* key) const {
  if (table.empty()) {
    return -1;
  }
  const uint64_t hash = Hash(key, stride);
  const uint64_t tag = hash & ~0xffffffffull;
  for (size_t slot = hash & tableMask; table[slot] != 0; slot = (slot + 1) & tableMask) {
    const uint32_t index = static_cast<uint32_t>(table[slot] - 1);
    if ((table[slot] & ~0xffffffffull) == tag && SameKey(index, key)) {
      return index;
    }
  }
  return -1;
}

int64_t Search::FindOrAdd(const uint16_t* key, bool* added) {
  *added = false;
  if ((records.size() + 1) * 2 > table.size() && !GrowTable()) {
    return -1;
  }
  const uint64_t hash = Hash(key, stride);
  const uint64_t tag = hash & ~0xffffffffull;
  size_t slot = hash & tableMask;
  while (table[slot] != 0) {
    const uint32_t index = static_cast<uint32_t>(table[slot] - 1);
    if ((table[slot] & ~0xffffffffull) == tag && SameKey(index, key)) {
      return index;
    }
    slot = (slot + 1) & tableMask;
  }
  if (!Room(keys, stride) || !Room(records, 1) || records.size() >= NO_PARENT - 1) {
    return -1;
  }
  keys.insert(keys.end(), key, key + stride);
  records.push_back({NO_PARENT, 0xffffffffu, 0xffff, 0, 0, {0}});
  table[slot] = tag | records.size();
  *added = true;
  return static_cast<int64_t>(records.size() - 1);
}

int Search::Walk(int start, const uint16_t* boxes, uint32_t* seen, uint32_t stamp, bool measure) {
  // The anchors whose bodies a box overlaps, marked once, spare the walk
  // looking at four cells for every step.
  blockedStamp++;
  for (int i = 0; i < boxCount; i++) {
    for (int row = -1; row <= 1; row++) {
      for (int column = -1; column <= 1; column++) {
        blocked[boxes[i] + row * MODEL_WIDTH + column] = blockedStamp;
      }
    }
  }
  int head = 0;
  int tail = 0;
  int corner = start;
  queue[tail++] = static_cast<uint16_t>(start);
  seen[start] = stamp;
  if (measure) {
    distance[start] = 0;
  }
  while (head < tail) {
    const int at = queue[head++];
    corner = std::min(corner, at);
    for (int dir = 0; dir < 4; dir++) {
      const int to = at + model.offset[dir];
      if (seen[to] != stamp && model.anchorFree[to] && blocked[to] != blockedStamp) {
        seen[to] = stamp;
        if (measure) {
          distance[to] = static_cast<uint16_t>(distance[at] + 1);
        }
        queue[tail++] = static_cast<uint16_t>(to);
      }
    }
  }
  return corner;
}

void Search::Report(uint32_t bound) {
  if (!limits.progress) {
    return;
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - limits.start).count();
  if (seconds - lastReport >= 0.25) {
    lastReport = seconds;
    limits.progress({records.size(), static_cast<int>(bound), seconds});
  }
}

// The hero, at `stepped` after pushing the box now at `moved`, stands on a
// spot behind that box. Any other box keeps the group of spots the hero had
// before, and a spot of it in the parent's area (marked in parentSeen) names
// that group: the step back to the pusher and the parent's walk lead there
// with walls and that box alone in the way. Only a box that the parent's
// area does not touch needs the hero's own walk (LowerBound::Group).
int Search::HeroGroup(int box, int moved, int stepped) {
  for (int spot = 0; spot < SPOTS; spot++) {
    const int at = model.Spot(box, spot);
    if ((box == moved ? at == stepped : parentSeen[at] == parentStamp) &&
        model.spotGroup[box * SPOTS + spot] != SPOTS) {
      return model.spotGroup[box * SPOTS + spot];
    }
  }
  return bound.Group(box, stepped);
}

bool Search::MakeChild(int i, int dir, int stepped, uint32_t pushes, uint32_t* lower) {
  const int to = childBoxes[i] + model.offset[dir];
  const uint8_t mark = static_cast<uint8_t>(i + 1);
  PushModel::CoverBody(&cover, childBoxes[i], 0);
  PushModel::CoverBody(&cover, to, mark);
  childBoxes[i] = static_cast<uint16_t>(to);
  // The fewer-moves search asks for a hero anywhere, so its whole verdict
  // depends on the boxes alone; the others test their hero each time.
  const bool anyHero = mode == SEARCH_PUSHES_THEN_MOVES;
  if (!anyHero && Deadlocked(model, cover, childBoxes.data(), boxCount, i, stepped)) {
    return false;
  }
  childKey.assign(childBoxes.begin(), childBoxes.end());
  std::sort(childKey.begin(), childKey.end());
  childKey.resize(stride);
  // The same boxes come back with the hero elsewhere, and in the push
  // search when a state is expanded again; the bound differs only where the
  // hero stands on another side of a box. A slot keeps the upper bits of
  // the hash of the boxes and those sides, and the verdict below them; a
  // verdict lost to a newcomer is only worked out again.
  for (int box = 0; box < boxCount; box++) {
    childGroups[box] = static_cast<uint8_t>(HeroGroup(childKey[box], to, stepped));
    sidedBoxes[box] = static_cast<uint16_t>(childKey[box] * (SPOTS + 1) + childGroups[box]);
  }
  const uint64_t hash = Hash(sidedBoxes.data(), boxCount);
  uint64_t& verdict = verdicts[hash & verdictMask];
  if ((verdict & ~VERDICT_BITS) != (hash & ~VERDICT_BITS) || verdict == 0) {
    const int found = anyHero && Deadlocked(model, cover, childBoxes.data(), boxCount, i, -1)
                          ? NO_DISTANCE
                          : bound.Pushes(childKey.data(), childGroups.data());
    verdict = (hash & ~VERDICT_BITS) | static_cast<uint64_t>(found);
  }
  *lower = static_cast<uint32_t>(verdict & VERDICT_BITS);
  return *lower != NO_DISTANCE && (mode != SEARCH_PUSHES_THEN_MOVES ||
                                   pushes + 1 + *lower <= static_cast<uint32_t>(limits.pushBound));
}

// Every state on a solution with the fewest pushes P was reached by the
// fewest pushes that reach it at all, d. The push search expanded every
// state with d plus its bound below P, with d its own pushes; a state it did
// not expand has d plus its bound at least P, and on such a solution its
// bound can then be no less than the P - d pushes still to come. So a state
// is only entered with that d, and the pushes so far need no place in its
// key.
uint32_t Search::ShortestPushes(int stepped, uint32_t lower) {
  if (!std::binary_search(pushSearch->expandedBoxes.begin(), pushSearch->expandedBoxes.end(),
                          Hash(childKey.data(), boxCount))) {
    return limits.pushBound - lower;
  }
  childStamp++;
  childKey[boxCount] =
      static_cast<uint16_t>(Walk(stepped, childBoxes.data(), childSeen, childStamp, false));
  const int64_t known = pushSearch->Find(childKey.data());
  childKey[boxCount] = static_cast<uint16_t>(stepped);
  if (known >= 0 && (pushSearch->records[known].step & CLOSED) != 0) {
    return pushSearch->records[known].pushes;
  }
  return limits.pushBound - lower;
}

bool Search::Offer(uint32_t index, uint32_t primary, int pusher, int dir, uint32_t lower,
                   SearchResult* result) {
  const bool exact = mode != SEARCH_PUSHES;
  const StateRecord parent = records[index];
  const int stepped = pusher + model.offset[dir];
  const uint32_t pushes = parent.pushes + 1u;
  const uint32_t moves = parent.moves + (exact ? distance[pusher] : 0) + 1u;
  if (pushes > 0xfffe) {
    return true;
  }
  childStamp++;
  childKey[boxCount] = static_cast<uint16_t>(
      exact ? stepped : Walk(stepped, childBoxes.data(), childSeen, childStamp, false));
  bool added = false;
  const int64_t child = FindOrAdd(childKey.data(), &added);
  if (child < 0) {
    result->message = "memory limit reached";
    return false;
  }
  StateRecord& record = records[child];
  if (added) {
    record.lower = static_cast<uint16_t>(lower);
    if (mode == SEARCH_PUSHES_THEN_MOVES) {
      record.pushes = static_cast<uint16_t>(ShortestPushes(stepped, lower));
    }
    if (exact) {
      record.walk = static_cast<uint16_t>(walkBound->Moves(childKey.data(), boxCount, stepped));
    }
  }
  if (mode == SEARCH_PUSHES_THEN_MOVES && pushes != record.pushes) {
    return true;
  }
  if ((record.step & CLOSED) != 0 || !Better(pushes, moves, record)) {
    return true;
  }
  record.parent = index;
  record.pushes = static_cast<uint16_t>(pushes);
  record.moves = moves;
  record.step = static_cast<uint16_t>(pusher * 4 + dir);
  const OpenEntry entry = EntryOf(static_cast<uint32_t>(child));
  // With a consistent bound a goal reached at the smallest key left open is
  // as short as any.
  if (mode == SEARCH_PUSHES && record.lower == 0 && entry.primary == primary &&
      IsGoal(childKey.data())) {
    *result = Finish(*result, static_cast<uint32_t>(child));
    return false;
  }
  if (!open.Push(entry, memoryBytes - std::min(memoryBytes, Bytes() - open.Bytes()))) {
    result->message = "memory limit reached";
    return false;
  }
  return true;
}

// Where the hero counts, a pusher of a push is left out when another pusher
// of the same push lies nearer by at least the steps across between the two:
// the same push from there, and those steps behind the box, reach the same
// state with no more moves. (The spots after the push lie side by side; one
// between two open ones is open too, as every cell of its body belongs to
// one of theirs.) Returns a bit for each pusher left out, the pusher at
// offset k across as bit k + 1.
uint32_t Search::DominatedPushers(int box, uint8_t mark, int dir) const {
  int reached[3];  // the steps to the pusher; -1 when the push cannot be made from it
  for (int k = -1; k <= 1; k++) {
    const int pusher = box - 2 * model.offset[dir] + k * model.side[dir];
    const int stepped = pusher + model.offset[dir];
    const bool open = model.anchorFree[stepped] && PushModel::BodyClearBut(cover, stepped, mark);
    reached[k + 1] = open && parentSeen[pusher] == parentStamp ? distance[pusher] : -1;
  }
  uint32_t left = 0;
  for (int k = 0; k < 3; k++) {
    for (int other = 0; other < 3; other++) {
      // Two pushers never leave each other out: the steps across count both
      // ways.
      if (other != k && reached[k] >= 0 && reached[other] >= 0 &&
          reached[other] + std::abs(k - other) <= reached[k]) {
        left |= 1u << k;
      }
    }
  }
  return left;
}

// Links state `index`, expanded, to the last state expanded with the same
// boxes, and makes it the last.
void Search::ListExpanded(uint32_t index) {
  const uint16_t* key = &keys[index * static_cast<size_t>(stride)];
  uint32_t& last = lastExpanded[Hash(key, boxCount) & (lastExpanded.size() - 1)];
  const bool same = last != 0 && std::equal(key, key + boxCount, &keys[(last - 1) * stride]);
  if (expandedBefore.size() <= index) {
    expandedBefore.resize(records.capacity());
  }
  expandedBefore[index] = same ? last : 0;
  last = index + 1;
}

// Where the hero counts, a state need not be expanded when another with the
// same boxes was expanded before with no more pushes and at most as many
// moves less as the hero's walk from there to here: every push made from
// here it could make too, as cheaply, and did. (One left unexpanded can
// stand for another, as the walks add up.) Call it after the walk from the
// state's hero, which it reads.
bool Search::Dominated(uint32_t index) {
  const uint16_t* key = &keys[index * static_cast<size_t>(stride)];
  const uint32_t last = lastExpanded[Hash(key, boxCount) & (lastExpanded.size() - 1)];
  if (last != 0 && std::equal(key, key + boxCount, &keys[(last - 1) * stride])) {
    for (uint32_t other = last; other != 0; other = expandedBefore[other - 1]) {
      const StateRecord& before = records[other - 1];
      const int hero = keys[(other - 1) * static_cast<size_t>(stride) + boxCount];
      if (parentSeen[hero] == parentStamp && before.pushes <= records[index].pushes &&
          before.moves + distance[hero] <= records[index].moves) {
        return true;
      }
    }
  }
  ListExpanded(index);
  return false;
}

// Expands one state. Returns false when the search must stop: a limit was
// reached, or a goal found while generating (then `result` holds it).
//
// The push search keeps only the children whose key is the parent's present
// key, `primary`, and puts the parent back at the smallest key of the rest:
// a child with a larger key would wait in the tables, and most never come
// out before a solution is found.
bool Search::Expand(uint32_t index, uint32_t primary, SearchResult* result) {
  const bool exact = mode != SEARCH_PUSHES;
  const uint16_t* key = &keys[index * static_cast<size_t>(stride)];
  childBoxes.assign(key, key + boxCount);
  const int hero = key[boxCount];
  const uint32_t pushes = records[index].pushes;
  uint32_t next = 0xffff;
  for (int i = 0; i < boxCount; i++) {
    PushModel::CoverBody(&cover, childBoxes[i], static_cast<uint8_t>(i + 1));
  }
  parentStamp++;
  Walk(hero, childBoxes.data(), parentSeen, parentStamp, exact);
  if (exact && Dominated(index)) {
    for (int i = 0; i < boxCount; i++) {
      PushModel::CoverBody(&cover, childBoxes[i], 0);
    }
    return true;
  }
  const bool fenced = corrals && corrals->Restrict(cover, childBoxes.data(), boxCount, hero,
                                                   parentSeen, parentStamp, &corralBoxes);

  bool go = true;
  for (int i = 0; i < boxCount && go; i++) {
    if (fenced && !corralBoxes[i]) {
      continue;
    }
    const int box = childBoxes[i];
    const uint8_t mark = static_cast<uint8_t>(i + 1);
    for (int dir = 0; dir < 4 && go; dir++) {
      if (!model.BoxMayMove(cover, box, mark, dir) ||
          (boxCount == model.goalCount && model.dead[box + model.offset[dir]])) {
        continue;
      }
      bool made = false;  // the child's boxes and cover are in place
      bool pruned = false;
      uint32_t lower = 0;
      const uint32_t behind = exact ? DominatedPushers(box, mark, dir) : 0;
      for (int k = -1; k <= 1 && go && !pruned; k++) {
        const int pusher = box - 2 * model.offset[dir] + k * model.side[dir];
        const int stepped = pusher + model.offset[dir];
        if (parentSeen[pusher] != parentStamp || !model.anchorFree[stepped] ||
            !PushModel::BodyClearBut(cover, stepped, mark) || (behind & (1u << (k + 1))) != 0) {
          continue;
        }
        if (!made) {
          made = true;
          pruned = !MakeChild(i, dir, stepped, pushes, &lower);
          if (!pruned && !exact && pushes + 1 + lower != primary) {
            // With a consistent bound no child's key is below the parent's
            // first one; those below this key were kept before.
            if (pushes + 1 + lower > primary) {
              next = std::min(next, pushes + 1 + lower);
            }
            pruned = true;
          }
          if (pruned) {
            break;
          }
        }
        go = Offer(index, primary, pusher, dir, lower, result);
        // Every pusher of this push leaves the hero in one area.
        pruned = !exact;
      }
      if (made) {
        PushModel::CoverBody(&cover, childBoxes[i], 0);
        PushModel::CoverBody(&cover, box, mark);
        childBoxes[i] = static_cast<uint16_t>(box);
      }
    }
  }
  for (int i = 0; i < boxCount; i++) {
    PushModel::CoverBody(&cover, childBoxes[i], 0);
  }
  if (!exact) {
    records[index].next = static_cast<uint16_t>(next == 0xffff ? 0 : next);
  }
  if (go && !exact && next != 0xffff) {
    if (!open.Push({next, records[index].lower, index},
                   memoryBytes - std::min(memoryBytes, Bytes() - open.Bytes()))) {
      result->message = "memory limit reached";
      go = false;
    }
  }
  if (go && limits.maxStates != 0 && records.size() > limits.maxStates) {
    result->message = "state limit reached";
    go = false;
  }
  return go;
}

SearchResult Search::Finish(SearchResult result, uint32_t goal) {
  result.outcome = SOLVE_SOLVED;
  for (uint32_t at = goal; records[at].parent != NO_PARENT; at = records[at].parent) {
    const uint16_t step = records[at].step & ~CLOSED;
    result.pushes.push_back({step / 4, step % 4});
  }
  std::reverse(result.pushes.begin(), result.pushes.end());
  return result;
}

SearchResult Search::Run() {
  SearchResult result;
  if (model.goalCount > static_cast<int>(model.places.size()) || model.goalCount > boxCount) {
    result.outcome = SOLVE_NO_SOLUTION;
    return result;
  }
  std::vector<uint16_t> start(model.boxes);
  for (int i = 0; i < boxCount; i++) {
    PushModel::CoverBody(&cover, start[i], static_cast<uint8_t>(i + 1));
  }
  const bool deadlocked = Deadlocked(model, cover, start.data(), boxCount, -1, model.hero);
  parentStamp++;
  const int corner = Walk(model.hero, start.data(), parentSeen, parentStamp, false);
  for (int i = 0; i < boxCount; i++) {
    PushModel::CoverBody(&cover, start[i], 0);
  }
  std::sort(start.begin(), start.end());
  for (int i = 0; i < boxCount; i++) {
    childGroups[i] = static_cast<uint8_t>(HeroGroup(start[i], -1, model.hero));
  }
  const int lower = bound.Pushes(start.data(), childGroups.data());
  start.push_back(static_cast<uint16_t>(mode == SEARCH_PUSHES ? corner : model.hero));
  start.resize(stride);
  if (deadlocked || lower == NO_DISTANCE) {
    result.outcome = SOLVE_NO_SOLUTION;
    return result;
  }
  bool added = false;
  if (FindOrAdd(start.data(), &added) < 0) {
    result.message = "memory limit reached";
    return result;
  }
  records[0] = {NO_PARENT, 0, 0, 0, static_cast<uint16_t>(lower), {0}};
  if (mode != SEARCH_PUSHES) {
    records[0].walk = static_cast<uint16_t>(walkBound->Moves(start.data(), boxCount, model.hero));
  }
  open.Push(EntryOf(0), memoryBytes);
  while (!open.Empty()) {
    const OpenEntry entry = open.Pop();
    result.bound = static_cast<int>(entry.primary);
    StateRecord& record = records[entry.index];
    // A state met again by a shorter path got a smaller entry, which came
    // first; the entries it left behind find it closed. An expanded state
    // comes back at its `next` key for the children it held back.
    if ((record.step & CLOSED) != 0 && (mode != SEARCH_PUSHES || entry.primary != record.next)) {
      continue;
    }
    if ((record.step & CLOSED) == 0 && IsGoal(&keys[entry.index * static_cast<size_t>(stride)])) {
      result = Finish(result, entry.index);
      break;
    }
    record.step |= CLOSED;
    if (++expanded % 1024 == 0) {
      const double seconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - limits.start).count();
      if (limits.seconds > 0 && seconds > limits.seconds) {
        result.message = "time limit reached";
        break;
      }
      Report(entry.primary);
    }
    if (!Expand(entry.index, entry.primary, &result)) {
      break;
    }
  }
  if (open.Empty() && result.outcome != SOLVE_SOLVED && result.message.empty()) {
    result.outcome = SOLVE_NO_SOLUTION;
  }
  result.states = records.size();
  result.peakBytes = std::max(peakBytes, Bytes());
  return result;
}

}  // namespace

SearchResult RunSearch(const PushModel& model, SearchMode mode, const SearchLimits& limits) {
  if (mode != SEARCH_PUSHES_THEN_MOVES) {
    Search search(model, mode, limits);
    if (mode == SEARCH_PUSHES) {
      search.corrals = std::make_unique<CorralRule>(model);
    }
    return search.Run();
  }
  Search pushSearch(model, SEARCH_PUSHES, limits);
  SearchResult found = pushSearch.Run();
  if (found.outcome != SOLVE_SOLVED) {
    return found;
  }
  pushSearch.ListExpandedBoxes();
  SearchLimits second = limits;
  second.pushBound = static_cast<int>(found.pushes.size());
  second.memoryBytes = limits.memoryBytes - std::min(limits.memoryBytes, pushSearch.Bytes());
  const uint64_t budget =
      limits.fewerMovesStates != 0 ? limits.fewerMovesStates : found.states * MOVES_BUDGET + 60000;
  second.maxStates = limits.maxStates != 0 ? std::min(limits.maxStates, budget) : budget;
  Search moveSearch(model, SEARCH_PUSHES_THEN_MOVES, second, &pushSearch);
  SearchResult fewer = moveSearch.Run();
  fewer.states += found.states;
  fewer.peakBytes = pushSearch.Bytes() + fewer.peakBytes;
  if (fewer.outcome != SOLVE_SOLVED) {
    found.states = fewer.states;
    found.peakBytes = fewer.peakBytes;
    return found;
  }
  fewer.fewestMoves = true;
  return fewer;
}
