// search.cpp: A* over pushes with a transposition table, a matching lower
// bound and deadlock pruning.
#include "solver/search.h"

#include <algorithm>
#include <cstring>

namespace {

// Everything kept per state besides its key.
struct StateRecord {
  uint32_t parent;
  uint32_t moves;
  uint16_t pushes;
  uint16_t step;   // pusher * 4 + direction index of the push that led here
  uint16_t lower;  // the lower bound of the pushes still to come
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

const uint32_t NO_PARENT = 0xffffffffu;
const uint16_t CLOSED = 0x8000;  // in StateRecord::step once a state is expanded

class Search {
 public:
  Search(const PushModel& model, SearchMode mode, const SearchLimits& limits)
      : model(model), mode(mode), limits(limits), bound(model) {
    boxCount = static_cast<int>(model.boxes.size());
    // Searching for the fewest moves within a number of pushes, a path with
    // fewer moves but more pushes must not shut out one with fewer pushes, so
    // the pushes so far are part of the state.
    stride = boxCount + (mode == SEARCH_PUSHES_THEN_MOVES ? 2 : 1);
    memoryBytes = limits.memoryBytes;
  }

  SearchResult Run();

 private:
  size_t Bytes() const {
    return keys.capacity() * sizeof(uint16_t) + records.capacity() * sizeof(StateRecord) +
           table.capacity() * sizeof(uint64_t) + open.Bytes();
  }
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
  // The hero's area from `start` in the boxes of `cover`; returns its
  // top-left-most anchor and fills `reach` (and `distance` when asked).
  int Walk(int start, uint32_t* seen, uint32_t stamp, bool measure);
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
      case SEARCH_MOVES:
        return {record.moves + lower, record.pushes, index};
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
  bool Expand(uint32_t index, uint32_t primary, SearchResult* result);
  void Report(uint32_t bound);
  SearchResult Finish(SearchResult result, uint32_t goal);

  const PushModel& model;
  SearchMode mode;
  SearchLimits limits;
  LowerBound bound;
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
  OpenList open;

  Cover cover;
  uint32_t parentSeen[MODEL_CELLS] = {};
  uint32_t childSeen[MODEL_CELLS] = {};
  uint32_t parentStamp = 0;
  uint32_t childStamp = 0;
  uint16_t queue[MODEL_CELLS] = {};
  uint16_t distance[MODEL_CELLS] = {};
  std::vector<uint16_t> childKey;
  std::vector<uint16_t> childBoxes;  // in the parent's order, as `cover` marks them
  uint64_t expanded = 0;
  double lastReport = 0;
};

bool Search::GrowTable() {
  const size_t size = table.empty() ? 1 << 16 : table.size() * 2;
  if (Bytes() + size * sizeof(uint64_t) > memoryBytes) {
    return false;
  }
  peakBytes = std::max(peakBytes, Bytes() + size * sizeof(uint64_t));
  std::vector<uint64_t> grown(size, 0);
  tableMask = size - 1;
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
  records.push_back({NO_PARENT, 0xffffffffu, 0xffff, 0, 0});
  table[slot] = tag | records.size();
  *added = true;
  return static_cast<int64_t>(records.size() - 1);
}

int Search::Walk(int start, uint32_t* seen, uint32_t stamp, bool measure) {
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
      if (seen[to] != stamp && model.anchorFree[to] && PushModel::BodyBoxes(cover, to) == 0) {
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

// Expands one state. Returns false when the search must stop: a limit was
// reached, or a goal found while generating (then `result` holds it).
bool Search::Expand(uint32_t index, uint32_t primary, SearchResult* result) {
  const bool exact = mode != SEARCH_PUSHES;
  const uint16_t* key = &keys[index * static_cast<size_t>(stride)];
  childBoxes.assign(key, key + boxCount);
  const int hero = key[boxCount];
  const StateRecord parent = records[index];
  for (int i = 0; i < boxCount; i++) {
    PushModel::CoverBody(&cover, childBoxes[i], static_cast<uint8_t>(i + 1));
  }
  parentStamp++;
  Walk(hero, parentSeen, parentStamp, exact);

  bool go = true;
  for (int i = 0; i < boxCount && go; i++) {
    const int box = childBoxes[i];
    const uint8_t mark = static_cast<uint8_t>(i + 1);
    for (int dir = 0; dir < 4 && go; dir++) {
      if (!model.BoxMayMove(cover, box, mark, dir)) {
        continue;
      }
      const int to = box + model.offset[dir];
      if (boxCount == model.goalCount && model.dead[to]) {
        continue;
      }
      bool boxPushed = false;  // the child's boxes and cover are in place
      bool prune = false;
      uint32_t lower = 0;
      for (int k = -1; k <= 1 && go; k++) {
        const int pusher = box - 2 * model.offset[dir] + k * model.side[dir];
        const int stepped = pusher + model.offset[dir];
        if (parentSeen[pusher] != parentStamp || !model.anchorFree[stepped] ||
            !PushModel::BodyClearBut(cover, stepped, mark)) {
          continue;
        }
        if (!boxPushed) {
          boxPushed = true;
          PushModel::CoverBody(&cover, box, 0);
          PushModel::CoverBody(&cover, to, mark);
          childBoxes[i] = static_cast<uint16_t>(to);
          prune = Deadlocked(model, cover, childBoxes.data(), boxCount, i);
          if (!prune) {
            childKey.assign(childBoxes.begin(), childBoxes.end());
            std::sort(childKey.begin(), childKey.end());
            childKey.resize(stride);
          }
          // The pushers of one push share its boxes and so its bound; the
          // push search meets most states again and bounds only new ones.
          if (!prune && exact) {
            lower = bound.Pushes(childKey.data());
            prune = lower == NO_DISTANCE ||
                    (mode == SEARCH_PUSHES_THEN_MOVES &&
                     parent.pushes + 1 + lower > static_cast<uint32_t>(limits.pushBound));
          }
        }
        const uint32_t pushes = parent.pushes + 1u;
        const uint32_t moves = parent.moves + (exact ? distance[pusher] : 0) + 1u;
        if (prune || pushes > 0xfffe) {
          break;
        }
        childStamp++;
        childKey[boxCount] =
            static_cast<uint16_t>(exact ? stepped : Walk(stepped, childSeen, childStamp, false));
        if (mode == SEARCH_PUSHES_THEN_MOVES) {
          childKey[boxCount + 1] = static_cast<uint16_t>(pushes);
        }
        bool added = false;
        const int64_t child = FindOrAdd(childKey.data(), &added);
        if (child < 0) {
          result->message = "memory limit reached";
          go = false;
          break;
        }
        StateRecord& record = records[child];
        if (added) {
          record.lower = static_cast<uint16_t>(exact ? lower : bound.Pushes(childKey.data()));
          if (record.lower == NO_DISTANCE) {
            record.step = CLOSED;  // kept so that it is not looked at again
            break;
          }
        }
        if ((record.step & CLOSED) == 0 && Better(pushes, moves, record)) {
          record.parent = index;
          record.pushes = static_cast<uint16_t>(pushes);
          record.moves = moves;
          record.step = static_cast<uint16_t>(pusher * 4 + dir);
          const OpenEntry entry = EntryOf(static_cast<uint32_t>(child));
          // With a consistent bound a goal reached at the smallest key left
          // open is as short as any.
          if (mode == SEARCH_PUSHES && record.lower == 0 && entry.primary == primary &&
              IsGoal(childKey.data())) {
            *result = Finish(*result, static_cast<uint32_t>(child));
            go = false;
            break;
          }
          if (!open.Push(entry, memoryBytes - std::min(memoryBytes, Bytes() - open.Bytes()))) {
            result->message = "memory limit reached";
            go = false;
            break;
          }
        }
        if (!exact) {
          break;  // every pusher of this push leaves the hero in one area
        }
      }
      if (boxPushed) {
        PushModel::CoverBody(&cover, to, 0);
        PushModel::CoverBody(&cover, box, mark);
        childBoxes[i] = static_cast<uint16_t>(box);
      }
    }
  }
  for (int i = 0; i < boxCount; i++) {
    PushModel::CoverBody(&cover, childBoxes[i], 0);
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
  const bool deadlocked = Deadlocked(model, cover, start.data(), boxCount, -1);
  parentStamp++;
  const int corner = Walk(model.hero, parentSeen, parentStamp, false);
  for (int i = 0; i < boxCount; i++) {
    PushModel::CoverBody(&cover, start[i], 0);
  }
  std::sort(start.begin(), start.end());
  const int lower = bound.Pushes(start.data());
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
  records[0] = {NO_PARENT, 0, 0, 0, static_cast<uint16_t>(lower)};
  open.Push(EntryOf(0), memoryBytes);
  while (!open.Empty()) {
    const OpenEntry entry = open.Pop();
    result.bound = static_cast<int>(entry.primary);
    StateRecord& record = records[entry.index];
    // A state met again by a shorter path got a smaller entry, which came
    // first; the entries it left behind find it closed.
    if ((record.step & CLOSED) != 0) {
      continue;
    }
    if (IsGoal(&keys[entry.index * static_cast<size_t>(stride)])) {
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
  Search search(model, mode, limits);
  return search.Run();
}
