#pragma once
// The bytes of a registry file on disk. The registry editor reads a REGEDIT4
// file in the system's ANSI code page, not in the program's: a document the
// program built in UTF-8 would merge back with every non-ASCII character
// damaged. So a document goes to disk as REGEDIT4 in the system's code page
// when every name and text in it has a form there (byte for byte what the
// program writes when the two code pages are the same), and otherwise as
// the editor's later form, "Windows Registry Editor Version 5.00" text in
// UTF-16LE with a byte-order mark, which it merges exactly.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"
#include "regtext/regedit4_reader.h"
#include "regtext/regedit4_writer.h"

inline constexpr const char* kRegistryEditor5Header = "Windows Registry Editor Version 5.00";

// The document's lines are in the program's code page.
std::string EncodeRegFile(const RegDocument& document, const CodePages& pages);

// The key blocks of a file in either form, with names and text in the
// program's code page. Throws RegTextError when the file is malformed or
// holds a name or text the program's code page cannot hold.
std::vector<RegTextKey> DecodeRegFile(std::string_view bytes, const CodePages& pages);

// The lines of a file in either form, as text (UTF-8 for the later form),
// without line ends; nothing when UTF-16 text is broken.
std::optional<std::vector<std::string>> RegFileLines(std::string_view bytes);
