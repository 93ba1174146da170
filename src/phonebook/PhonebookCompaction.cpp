#include "phonebook/PhonebookCompaction.h"

#include <algorithm>

#include "base/Shell.h"
#include "phonebook/CategoryTree.h"
#include "phonebook/EntryList.h"
#include "phonebook/PhonebookMessages.h"
#include "phonebook/PhonebookSession.h"

namespace quorix {

namespace {

constexpr int kCompactedRows = 500;

}  // namespace

void ToolButton5Click(PhonebookSession& app, Shell& shell) {
  PhonebookState& pb = app.phonebook;
  if (pb.LV.size() < 2) {
    shell.Message(WarningCaption(), "Please read entries from mobile phone!", MessageIcon::Warning);
    return;
  }
  // A row removed in the program counts as free: moving it would bring it back.
  int next = 1;  // where the search for the next used row goes on
  for (int j = 1; j <= kCompactedRows; ++j) {
    if (EntryIsUsed(pb, j)) continue;
    next = std::max(next, j + 1);
    while (next <= kCompactedRows && !EntryIsUsed(pb, next)) ++next;
    if (next > kCompactedRows) break;
    EntryRow& to = pb.PhonebookEntries[j];
    EntryRow& from = pb.PhonebookEntries[next];
    // Every data field moves: an address or a birthday left behind would end up on whichever
    // contact takes the row next.
    for (int field = EntryNumber; field <= EntryBirthday; ++field) {
      to[field] = std::move(from[field]);
      from[field].clear();
    }
    to[EntryMark] = kMarkChanged;
    from[EntryMark] = kMarkRemoved;
    app.DataModified = true;
  }
  // The whole list is shown again: entries above the packed rows (the SIM's) stay in it.
  RebuildEntryList(pb, kEntryRows);
  RebuildCategoryTree(pb);
}

}  // namespace quorix
