#pragma once

namespace quorix {

struct PhonebookSession;
class Shell;

// The compaction (ToolButton5Click, "Дефрагментация записей"): packs the used entries of rows
// 1..500 from row 1 in their former order. A moved entry takes all its data fields with it and
// is marked "1"; the row it left is emptied and marked "Del", for the next upload. Warns and does
// nothing when the list holds fewer than two rows.
void ToolButton5Click(PhonebookSession& app, Shell& shell);

}  // namespace quorix
