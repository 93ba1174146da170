#include "cli/FileArguments.h"

#include <ostream>

#include "cli/PrintableText.h"
#include "codec/CodePage.h"

namespace quorix::cli {

FileArguments ParseFileArguments(const CliContext& ctx, const std::string& what) {
  FileArguments a;
  a.rest.push_back(ctx.args[0]);
  for (size_t i = 1; i < ctx.args.size(); ++i) {
    const std::string& word = ctx.args[i];
    if (word == "--from" || word == "--save") {
      if (i + 1 >= ctx.args.size()) throw UsageError(word + " needs a file name");
      (word == "--from" ? a.from : a.save) = ctx.args[++i];
    } else if (a.file.empty() && word.rfind("--", 0) != 0) {
      a.file = word;
    } else {
      a.rest.push_back(word);
    }
  }
  if (a.file.empty()) throw UsageError(what + " needs a file name");
  return a;
}

void Tell(const CliContext& ctx, const std::string& cp1251) {
  ctx.err << Printable(cp1251) << '\n';
}

}  // namespace quorix::cli
