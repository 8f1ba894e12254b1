#include "cli/problem_list.h"

#include "scan/key_paths.h"

int WriteProblemList(const ResultTree& tree, std::ostream& out) {
  int count = 0;
  ForEachProblem(*tree.Top(), [&](const ResultNode& node) {
    const TErrorClass& record = *node.Data();
    ++count;
    out << NodeFullPath(node) << "\n    " << record.FMessage << "; level " << record.FLevel;
    if (!record.FValueNames.empty()) {
      out << "; values: ";
      for (std::size_t i = 0; i < record.FValueNames.size(); ++i)
        out << (i ? ", " : "") << '"' << record.FValueNames[i] << '"';
    }
    out << '\n';
  });
  return count;
}

int CountProblems(const ResultTree& tree) {
  int count = 0;
  ForEachProblem(*tree.Top(), [&](const ResultNode&) { ++count; });
  return count;
}
