#pragma once
// The REGEDIT4 text of registry values, inserted into an in-memory document.
// Every value is written so that the system registry editor merges it back
// with its exact type and bytes: a string line or a dword line where that
// form holds the data exactly, a hex list of the raw bytes otherwise.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"

// The lines of a REGEDIT4 file, without their CR LF.
using RegDocument = std::vector<std::string>;

// The widest line a wrapped hex list fills, and the bytes on each of its
// continuation lines.
inline constexpr int kRegLineWidth = 80;
inline constexpr int kHexBytesPerContinuation = 26;

// Every occurrence of pattern replaced, matches never overlapping. An empty
// pattern matches nothing.
std::string ReplaceAll(const std::string& text, const std::string& pattern,
                       const std::string& replacement);
// A name or string as it stands between the quotes of a REGEDIT4 line:
// backslash and double quote escaped.
std::string EscapeRegText(const std::string& text);
// Bytes as upper-case hex pairs joined by commas: "00,1A,FF".
std::string BinaryToHexList(const std::uint8_t* bytes, std::size_t count);
// A text that fits on one line: no CR and no LF, which would split it.
bool IsSingleLine(const std::string& text);
// The document as it goes to disk: every line followed by CR LF.
std::string RegDocumentText(const RegDocument& document);

// The writers insert at index, moving the lines from there down, and return
// the index of the last line inserted.
int WriteStringValue(RegDocument& document, int index, const std::string& name,
                     const std::string& text);
int WriteDwordValue(RegDocument& document, int index, const std::string& name,
                    std::uint32_t number);
// "hex:" for REG_BINARY, "hex(N):" with N in lower-case hex for any other type.
int WriteBinaryValue(RegDocument& document, int index, const std::string& name,
                     std::uint32_t type, const std::vector<std::uint8_t>& bytes);

// A REG_SZ text up to its terminator with no line break inside goes on a
// string line; anything else would come back shorter, longer or split.
bool WritesStringLine(const RegValue& value);
// Picks the writer that holds the value exactly. Returns index - 1 and
// writes nothing when the name cannot be written (it holds a CR or LF).
int WriteValue(RegDocument& document, int index, const std::string& name,
               const RegValue& value);

// Whether merging the written value gives back exactly its bytes. A text
// type (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) whose data does not end in a
// zero byte does not: the registry editor stores text through the wide
// registry call, which adds a terminator it finds missing.
bool MergesBackExactly(const RegValue& value);
// Whether merging it back only adds a terminating zero to a REG_SZ or
// REG_EXPAND_SZ text: every reader of the text sees the same string.
bool MergeOnlyAddsATerminator(const RegValue& value);
