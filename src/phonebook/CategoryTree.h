#pragma once

#include "phonebook/PhonebookState.h"

namespace quorix {

// Rebuilds Tr: one node per named category 1..30, under it one node per used entry of rows
// 1..LastIndex in that category, then a node "Категория N" for the entries of each category the
// phone does not have; sets each listed entry's EntryTreeIndex to its node's absolute
// index and empties it for the entries that got no node.
void RebuildCategoryTree(PhonebookState& state);

// Total number of nodes of Tr.
int TreeNodeCount(const PhonebookState& state);

// The absolute index of category node top (0-based among the top nodes), or of its child when
// child is 0 or more.
int TreeNodeAbsoluteIndex(const PhonebookState& state, int top, int child);

// The tree's current node changed (absolute index, -1 for none).
void TrChange(PhonebookState& state, int node);

// A click on the current node: an entry node selects its entry for editing.
void TrClick(PhonebookState& state);

// A double click on the current node (after its click); true when the edit command must run.
bool TrDblClick(PhonebookState& state);

}  // namespace quorix
