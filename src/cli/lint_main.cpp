// The knowledge-base linter as a program of the build machine: the build
// runs it on the shipped knowledge base and fails when it finds anything.
//   tarnel_lint FILE
#include <fstream>
#include <iostream>
#include <sstream>

#include "cli/knowbase_lint.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: tarnel_lint FILE\n";
    return kLintErrors;
  }
  std::ifstream file(argv[1], std::ios::binary);
  std::ostringstream text;
  if (!(text << file.rdbuf())) {
    std::cerr << "tarnel_lint: cannot read " << argv[1] << '\n';
    return kLintErrors;
  }
  return WriteLintFindings(argv[1], LintKnowledgeBase(text.str()), std::cout);
}
