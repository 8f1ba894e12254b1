#pragma once
// The backup journal: before anything is deleted from the registry, the
// keys and values about to go are copied into a REGEDIT4 document that is
// written, whole and sealed, to a backup file of its own, so that the
// system registry editor can merge them back exactly. Each deletion has its
// own file, named after the scan's start; once written it is never written
// again, renamed or removed: what the deletion did is recorded beside it.
// The same machinery writes the results file of every problem in the
// result tree.
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "mail/mail_sender.h"
#include "platform/clock.h"
#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "regtext/header_index.h"
#include "regtext/regedit4_writer.h"
#include "regtext/registry_snapshot.h"
#include "scan/result_tree.h"

// A backup file as it was written.
struct WrittenBackup {
  std::string file;  // full path
  std::uint64_t size = 0;
  std::string sha256;
  int keys = 0;    // key blocks
  int values = 0;  // value lines
};

class TBuck {
 public:
  // Backup files go to the folder current now, whatever folder becomes
  // current later (a file dialog may move it). The document is built in the
  // program's code page and goes to disk in the form the registry editor
  // reads back exactly (reg_file_encoding.h).
  TBuck(ResultTree& tree, Registry& registry, FileSystem& files, Clock& clock, MailSender& mail,
        const CodePages& code_pages = SameCodePages());
  TBuck(const TBuck&) = delete;
  TBuck& operator=(const TBuck&) = delete;

  // The backup file with its folder: the one the last deletion wrote, or
  // the one the next will write; empty before the first Start.
  const std::string& FileName() const { return FFileName; }
  // The file the next deletion's backup will be written to, as far as can
  // be told now (a name taken meanwhile gives way to the next free one).
  std::string NextFileName();
  // The file the current deletion's backup wrote; none before it is written.
  const std::optional<WrittenBackup>& Written() const { return written_; }
  // The folder of every backup file, with a trailing backslash.
  const std::string& Folder() const { return folder_; }
  // What the backups so far will give back only nearly: a text that comes
  // back with a terminating zero added (counted as backed up all the same).
  const std::vector<std::string>& Notes() const { return notes_; }
  const RegDocument& Lines() const { return FLines; }

  // Names the backup files of the scan being started after the current
  // time. A name this journal has used before, or a file that exists, is
  // never taken: a counter keeps the new name apart.
  void BeginBackupFile();
  // The same, under the given name (a folder may be part of it).
  void BeginBackupFile(const std::string& file);
  // Begins the document of one deletion; after a deletion that wrote its
  // file, under the next free name.
  void StartBackup();
  // Writes the document, sealed (file_seal.h), to a file created without
  // replacing any and made durable, unless it holds nothing or was written
  // already: a name of ours taken since gives way to the next free one, a
  // name given to BeginBackupFile is refused. Throws FileCreateError, and
  // then nothing was written.
  void Flush();

  // The index at which the key's values go: below its header (found without
  // regard to case), or in a new block at the end.
  int FindOrAddKey(const std::string& path);

  // The Backup* operations return whether the backup is complete: every key
  // opened, every value read and written in a form that merges back to its
  // exact bytes. Deleting what was not backed up completely would lose data
  // for good. A key with a class is not backed up completely: no registry
  // file carries a class. A value backed up before with other data is
  // backed up again as it is now. taken, when given, receives what was
  // read, to be compared with the registry right before the deletion.
  //
  // The key, its values and all its subkeys, depth first, each parent
  // before its children.
  bool BackupKeyTree(RootKey root, const std::string& root_name, const std::string& key_path,
                     BranchSnapshot* taken = nullptr);
  // The key a node names; a root key as a whole is never backed up.
  bool BackupKeyOfNode(const ResultNode& node, BranchSnapshot* taken = nullptr);
  // The named values of the node's key in registry order; "(Default)"
  // stands for the default value. Names the key lacks are passed over
  // (taken notes them as absent, with "" for the default value).
  bool BackupValuesOfNode(const ResultNode& node, const std::vector<std::string>& names,
                          ValuesSnapshot* taken = nullptr);
  // What the node's problem record designates: its values, or its key
  // FLevel - 1 levels up.
  bool BackupProblem(const ResultNode& node);

  // Writes every problem of the result tree to the file as it is now in the
  // registry; keys that could not be read, and keys and values whose names
  // cannot be (those the scan met included), are named in comment lines at
  // its end. Leaves the journal's document
  // and file name as they were.
  void SaveResults(const std::string& file);
  // Saves the results as "errors.reg" in the temporary folder, offers it to
  // the mail program and deletes it. kNoMailProgram when nothing took it.
  MailResult SendResults();

 private:
  // The first name of the base that neither this journal used nor a file holds.
  std::string UnusedFileName();
  // The same, taken: this journal never uses it again.
  std::string FreeFileName();
  void StartDocument(const std::string& file);
  static RegDocument Sealed(const RegDocument& lines);
  void WriteDocument(const std::string& file, const RegDocument& lines);
  bool WriteValues(const std::string& header, int index, const ValuesSnapshot& values);
  // A new block of the header at the document's end; the index of its values.
  int AppendBlock(const std::string& block);
  // Records the key's subkeys and values whose names cannot be read; false
  // when there are any: they are not backed up.
  bool NoteUnreadableNames(RegKey& key, const std::string& header);
  void AppendComment(const std::string& heading, const std::vector<std::string>& names);

  ResultTree& tree_;
  Registry& registry_;
  FileSystem& files_;
  Clock& clock_;
  MailSender& mail_;
  const std::string folder_;      // of every backup file, with a trailing backslash
  std::string FFileName;
  RegDocument FLines;
  HeaderIndex headers_;           // the key blocks of FLines
  const CodePages& code_pages_;
  std::vector<std::string> unreadable_keys_;  // since the last SaveResults began
  std::vector<std::string> unreadable_names_;  // the same, of subkeys and values
  std::vector<std::string> notes_;
  std::string base_name_;         // FFileName without counter and extension
  bool user_named_ = false;       // FFileName was given, not made up
  std::optional<WrittenBackup> written_;  // of this document
  std::set<std::string> used_names_;  // letter case folded
};
