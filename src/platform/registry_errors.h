#pragma once
#include <stdexcept>
#include <string>

// Errors of registry reads; the text is what the user is shown.
class RegistryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
