#pragma once
// Synthetic registries shaped like that of 64-bit Windows 11, for the scan
// benchmark: a class table with server, ProgID and type-library links,
// interfaces, type libraries, file types, App Paths, start-up values,
// uninstall entries, shared DLL counters, and keys no rule looks at; both
// registry views populated (32-bit classes and interfaces, a Wow6432Node
// software branch) and a few classes of the user's own. Most references
// name the same few system files; a few percent name nothing (planted
// problems, in either view).
#include <cstddef>
#include <string>
#include <vector>

#include "platform/memory_files.h"
#include "platform/registry.h"

struct SyntheticRegistry {
  std::size_t keys = 0;    // keys written (their implicit parents not counted)
  std::size_t values = 0;
  // Full key path of every planted problem, as the scan reports it
  // ("HKEY_CLASSES_ROOT\CLSID\{...}\InprocServer32"): one problem each.
  std::vector<std::string> planted;
  // File names the references take to exist in the system folder.
  std::vector<std::string> system_files;
  // Full paths of the program files the references take to exist.
  std::vector<std::string> program_files;
};

struct SyntheticShape {
  std::size_t keys = 10000;  // about this many keys are written
  // Class data goes to HKLM\Software\Classes; with this set it is also
  // written to HKEY_CLASSES_ROOT, for a registry whose roots are separate
  // trees. The system registry shows the former as the latter by itself.
  bool mirror_classes_root = false;
  unsigned seed = 7;
  // The share of references that name nothing, in percent: a few in a
  // registry as users have them, all of them for one left full of problems.
  unsigned stale_percent = 3;
};

// Writes the registry; the same shape always gives the same registry.
SyntheticRegistry GenerateRegistry(Registry& registry, const SyntheticShape& shape);

// Adds the files the references take to exist: the system files to both
// system folders of 64-bit Windows (type libraries name the 32-bit one),
// the program files where they are named.
void AddReferencedFiles(MemoryFileSystem& files, const SyntheticRegistry& generated);
