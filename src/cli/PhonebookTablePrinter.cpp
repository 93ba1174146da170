#include "cli/PhonebookTablePrinter.h"

#include <algorithm>
#include <ostream>

#include "cli/PrintableText.h"
#include "codec/CodePage.h"

namespace quorix::cli {

namespace {

template <typename Row>
void PrintRow(const Row& row, std::ostream& out) {
  out << TableField(row.Caption);
  for (const std::string& cell : row.Cells) out << '\t' << TableField(cell);
  out << '\n';
}

}  // namespace

std::string TableField(const std::string& cell) {
  std::string text = Printable(cell);
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
  return text;
}

void PrintPhonebookTables(const PhonebookViews& views, std::ostream& out) {
  for (const CategoryListRow& row : views.LVCat) PrintRow(row, out);
  out << '\n';
  for (const ListRow& row : views.LV) PrintRow(row, out);
  out << std::flush;
}

}  // namespace quorix::cli
