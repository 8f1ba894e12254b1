#include "support/reg_file_headers.h"

#include "regtext/reg_file_encoding.h"

std::vector<std::string> RegFileHeaders(std::string_view bytes) {
  std::vector<std::string> headers;
  for (const std::string& line : RegFileLines(bytes).value_or(std::vector<std::string>{"<broken UTF-16>"}))
    if (line.starts_with("[")) headers.push_back(line);
  return headers;
}
