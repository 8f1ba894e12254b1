#pragma once
// A file of the checkout, read whole by its path on the machine that runs
// the tests (under Wine a Z: path); empty when it cannot be read.
#include <string>

std::string ReadHostFile(const std::string& path);
