#pragma once
// The columns of the browser lists: the text each column shows for an item,
// the status value and icon, and the orders the headings sort by. Pure
// functions over list items; the entry of an item must be looked up before
// its Bpm, Comment or status is asked for.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "library/ListItem.h"

namespace zarnel {

// The columns by index: the file list and the playlist list have the first
// four, the database list all six.
enum ListColumn : int32_t { kColTitle = 0, kColAuthor, kColBpm, kColComment, kColDisc, kColPath };

// The sort key of the status icons' cell.
inline constexpr int32_t kSortStatus = -1;

// Status values below the last-use dates.
inline constexpr int32_t kStatusPlaylistFile = -1;
inline constexpr int32_t kStatusPlayedThisRun = -2;

// Return: the text column shows for item: title; author; the bpm as "%.1f"
// (empty when 0, unknown or a playlist file); the comment; the disc (a
// drive with its ":", a disc name without its "="); the folder after the
// prefix up to and including its last separator. Any thread.
std::string columnText(const ListItem& item, int32_t column);

// Return: the status value of item: -1 a playlist file, -2 played in this
// run, otherwise the entry's last-use date stamp (0 without an entry).
int32_t statusValue(const ListItem& item, bool playedThisRun);
// Return: the status icon for a value: 3 playlist file, 2 played in this
// run, 1 never used, 0 used before.
int32_t statusIcon(int32_t value);

// Return: the disc prefix of a path: the text up to and including the first
// ":" or "=" that comes before any folder separator; empty when none.
std::string_view discPrefix(std::string_view path);

// Return: <0, 0 or >0 as a comes before, with, or after b in column's order
// with direction +1. Not for the status sort, whose values come from the
// list.
int32_t compareColumn(const ListItem& a, const ListItem& b, int32_t column);

// The status value of an item, as the list computes it (looking up its
// entry first).
using StatusOf = std::function<int32_t(const ListItem&)>;

// Return: the indices of items in the order of a stable sort by key
// (kSortStatus or a column) in direction (+1 the comparator's order, -1 its
// reverse); equal items keep their order.
std::vector<size_t> sortedOrder(const std::vector<ListItem>& items, int32_t key, int32_t direction,
                                const StatusOf& status);
// Sorts items in place by sortedOrder.
void sortItems(std::vector<ListItem>& items, int32_t key, int32_t direction, const StatusOf& status);

// Return: a < b ignoring ASCII case (-1, 0, 1).
int32_t compareNoCase(std::string_view a, std::string_view b);

}  // namespace zarnel
