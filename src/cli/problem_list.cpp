#include "cli/problem_list.h"

#include "regtext/key_paths.h"

namespace {

void WriteProblems(const ResultNode& node, std::ostream& out, int& count) {
  if (const TErrorClass* record = node.Data()) {
    ++count;
    out << NodeFullPath(node) << "\n    " << record->FMessage << "; level " << record->FLevel;
    if (!record->FValueNames.empty()) {
      out << "; values: ";
      for (std::size_t i = 0; i < record->FValueNames.size(); ++i)
        out << (i ? ", " : "") << '"' << record->FValueNames[i] << '"';
    }
    out << '\n';
  }
  for (std::size_t i = 0; i < node.ChildCount(); ++i) WriteProblems(*node.Child(i), out, count);
}

}  // namespace

int WriteProblemList(const ResultTree& tree, std::ostream& out) {
  int count = 0;
  WriteProblems(*tree.Top(), out, count);
  return count;
}
