#include "phonebook/CategoryTree.h"

#include <algorithm>
#include <map>

#include "base/Translate.h"
#include "codec/Ucs2.h"
#include "phonebook/EntryList.h"
#include "phonebook/FieldText.h"

namespace quorix {

namespace {

void AddEntryNode(PhonebookState& state, int i, TreeNode& category, int& k,
                  std::vector<bool>& listed) {
  EntryRow& entry = state.PhonebookEntries[i];
  const std::string number = WithoutEnds(entry[EntryNumber]);
  std::string text = number;
  if (!entry[EntryName].empty()) text = DecodeUcs2Hex(entry[EntryName]) + "  (" + number + ")";
  category.Children.push_back({text, TypeIconFor(entry[EntryNumberType]), {}});
  entry[EntryTreeIndex] = std::to_string(k);
  listed[i] = true;
  ++k;
}

}  // namespace

void RebuildCategoryTree(PhonebookState& state) {
  state.Tr.clear();
  std::vector<bool> listed(kEntryRows + 1, false);
  int k = 0;
  for (int c = 1; c <= kCategoryRows; ++c) {
    const std::string& name = state.Categories[c][CategoryName];
    if (name.empty() || state.Categories[c][CategoryMark] == kMarkRemoved) continue;
    TreeNode category{DecodeUcs2Hex(name), 0, {}};
    ++k;
    for (int i = 1; i <= std::min(state.LastIndex, kEntryRows); ++i) {
      if (EntryIsUsed(state, i) && NumberIn(state.PhonebookEntries[i][EntryCategory]) == c) {
        AddEntryNode(state, i, category, k, listed);
      }
    }
    state.Tr.push_back(std::move(category));
  }
  // An entry whose category the phone does not have is shown under that category's number.
  std::map<std::string, std::vector<int>> orphans;
  for (int i = 1; i <= std::min(state.LastIndex, kEntryRows); ++i) {
    if (EntryIsUsed(state, i) && !listed[i]) {
      orphans[state.PhonebookEntries[i][EntryCategory]].push_back(i);
    }
  }
  for (const auto& [value, entries] : orphans) {
    TreeNode category{value.empty() ? Tr("Без категории") : Tr("Категория ") + value, 0, {}};
    ++k;
    for (const int i : entries) AddEntryNode(state, i, category, k, listed);
    state.Tr.push_back(std::move(category));
  }
  // A stale position would let a click on some node pick an entry that is not under it.
  for (int i = 1; i <= kEntryRows; ++i) {
    if (!listed[i]) state.PhonebookEntries[i][EntryTreeIndex].clear();
  }
  state.SelectedTreeNode = -1;
}

int TreeNodeCount(const PhonebookState& state) {
  int n = 0;
  for (const TreeNode& node : state.Tr) n += 1 + static_cast<int>(node.Children.size());
  return n;
}

int TreeNodeAbsoluteIndex(const PhonebookState& state, int top, int child) {
  int n = 0;
  for (int t = 0; t < top && t < static_cast<int>(state.Tr.size()); ++t) {
    n += 1 + static_cast<int>(state.Tr[t].Children.size());
  }
  return n + (child >= 0 ? child + 1 : 0);
}

void TrChange(PhonebookState& state, int node) {
  state.SelectedTreeNode = node;
}

namespace {

// The used entry of rows 1..LastIndex whose node is the current node, 0 for none.
int EntryOfCurrentNode(const PhonebookState& state) {
  const std::string n = std::to_string(state.SelectedTreeNode);
  for (int i = 1; i <= std::min(state.LastIndex, kEntryRows); ++i) {
    if (EntryIsUsed(state, i) && state.PhonebookEntries[i][EntryTreeIndex] == n) return i;
  }
  return 0;
}

bool OnEntryCandidate(const PhonebookState& state) {
  return !state.Tr.empty() && state.SelectedTreeNode > 0;
}

}  // namespace

void TrClick(PhonebookState& state) {
  if (!OnEntryCandidate(state)) return;
  if (const int r = EntryOfCurrentNode(state)) {
    state.EditIndex = r;
    const int position = FindListRow(state, r);
    if (position >= 0) state.SelectedItemIndex = position;
  }
  state.SelectionSource = SelectionSourceKind::Tree;
}

bool TrDblClick(PhonebookState& state) {
  if (!OnEntryCandidate(state)) return false;
  const int r = EntryOfCurrentNode(state);
  if (r == 0) return false;
  state.SelectedItemIndex = FindListRow(state, r);
  return true;
}

}  // namespace quorix
