#include "library/Playlist.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <set>
#include <utility>

#include "library/PlayHistory.h"

namespace zarnel {

namespace {

// The positions 0..n-1 still to be taken, as a Fenwick tree of counts, so
// that the k-th remaining one is found in log n steps.
class RemainingPositions {
 public:
  explicit RemainingPositions(size_t n) : tree_(n + 1, 0) {
    for (size_t i = 1; i <= n; ++i) {
      tree_[i] += 1;
      const size_t parent = i + (i & (~i + 1));
      if (parent <= n) tree_[parent] += tree_[i];
    }
    for (top_ = 1; top_ * 2 <= n; top_ *= 2) {
    }
  }
  // Return: the position of the k-th (from 0) remaining one, now taken.
  size_t take(size_t k) {
    size_t at = 0;
    for (size_t step = top_; step > 0; step /= 2) {
      if (at + step < tree_.size() && tree_[at + step] <= k) {
        at += step;
        k -= tree_[at];
      }
    }
    for (size_t i = at + 1; i < tree_.size(); i += i & (~i + 1)) tree_[i] -= 1;
    return at;
  }

 private:
  std::vector<size_t> tree_;
  size_t top_ = 1;
};

}  // namespace

Playlist::Playlist(const PlaylistFile& files, TrackStoreLink* store, RandomSource random)
    : files_(files), store_(store), random_(random ? std::move(random) : RandomSource([] { return std::rand(); })) {}

void Playlist::insert(size_t index, std::vector<ListItem> items) {
  if (items.empty()) return;
  const size_t at = std::min(index, items_.size());
  items_.insert(items_.begin() + std::ptrdiff_t(at), std::make_move_iterator(items.begin()),
                std::make_move_iterator(items.end()));
  changed();
}

size_t Playlist::removeSelected() {
  return takeSelected().size();
}

std::vector<ListItem> Playlist::takeSelected() {
  std::vector<ListItem> taken, kept;
  for (ListItem& item : items_) (item.selected ? taken : kept).push_back(std::move(item));
  items_ = std::move(kept);
  if (!taken.empty()) changed();
  return taken;
}

void Playlist::clear() {
  items_.clear();
  changed();
}

bool Playlist::expandAt(size_t index) {
  if (!files_.expandInto(items_, index)) return false;
  changed();
  return true;
}

bool Playlist::load(const std::string& path) {
  PlaylistRead listed = files_.read(path);
  if (!listed.opened) return false;
  items_ = std::move(listed.items);
  changed();
  return true;
}

PlaylistWrite Playlist::save(const std::string& path) {
  const PlaylistWrite result = files_.write(path, items_);
  if (!result.written || !result.complete) return result;
  items_.clear();
  items_.push_back(makeListItem(path, kPlaylistFileSize));
  changed();
  return result;
}

void Playlist::shuffle() {
  const size_t n = items_.size();
  RemainingPositions remaining(n);
  std::vector<ListItem> order;
  order.reserve(n);
  for (size_t left = n; left > 0; --left) {
    const size_t pick = size_t(unsigned(random_())) % left;
    order.push_back(std::move(items_[remaining.take(pick)]));
  }
  items_ = std::move(order);
  changed();
}

size_t Playlist::removePlayed(const PlayHistory& history) {
  const size_t before = items_.size();
  std::vector<ListItem> kept;
  kept.reserve(before);
  for (ListItem& item : items_) {
    if (!history.contains(entryOf(item, store_))) kept.push_back(std::move(item));
  }
  items_ = std::move(kept);
  const size_t removed = before - items_.size();
  if (removed != 0) changed();
  return removed;
}

std::optional<ListItem> Playlist::next() {
  std::set<std::string> expanded;
  int expansions = 0;
  while (!items_.empty()) {
    if (!items_.front().isPlaylistFile()) return takeFirst();
    const std::string path = items_.front().path;
    const bool again = expanded.count(path) != 0;  // a file that lists itself
    if (!again && expansions < kMaxNextExpansions && files_.expandInto(items_, 0)) {
      expanded.insert(path);
      ++expansions;
    } else {
      items_.erase(items_.begin());
    }
    changed();
  }
  return std::nullopt;
}

std::optional<ListItem> Playlist::takeFirst() {
  if (items_.empty()) return std::nullopt;
  ListItem first = std::move(items_.front());
  items_.erase(items_.begin());
  changed();
  return first;
}

}  // namespace zarnel
