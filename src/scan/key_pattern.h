#pragma once
// The name of a knowledge-base entry: a root name, a backslash and a key
// pattern whose components "*" stand for every subkey and "**" for every
// subkey of the key literally named "*"; any other "*" is part of a name.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

struct EntryName {
  std::string root_prefix;  // the root name and the backslash after it
  std::string pattern;      // the rest
};

// The name split at its first backslash; none when it has no backslash.
std::optional<EntryName> SplitEntryName(const std::string& name);

// Whether the first wildcard level of the pattern leaves out the class
// tables: the pattern goes on below a wildcard ("*\" anywhere in it).
bool ExcludesTableKeys(const std::string& pattern);

// Takes out of a wildcard level's subkey names those it never enters: "*",
// which only "**" names, the other registry view, and, with
// exclude_table_keys, the tables of the classes root.
void DropNamesNotWalked(std::vector<std::string>& names, bool exclude_table_keys);

// A pattern to walk: the text before search_from is an already expanded
// key path whose names are taken literally.
struct PatternToWalk {
  std::string pattern;
  std::size_t search_from = 0;
};

// One wildcard level of a pattern.
struct WildcardLevel {
  std::string key;   // the key whose subkeys the level takes ("" for the root)
  std::string rest;  // the pattern below the level; empty when the wildcard ends it

  // The pattern with the wildcard replaced by one subkey name.
  PatternToWalk Expand(const std::string& name) const;
};

// The first wildcard level of what is left to walk; none when the pattern
// is one key path from there on.
std::optional<WildcardLevel> FindWildcardLevel(const PatternToWalk& walk);
