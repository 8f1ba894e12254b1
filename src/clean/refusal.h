#pragma once
// Why a problem was not deleted.
#include <string>

enum class RefusalReason {
  kNone,
  kRootKey,        // its deletion level reaches a whole root key
  kBackup,         // its backup would be incomplete
  kByRegistry,     // the registry refused the deletion
  kNoValue,        // a level that deletes values, and the problem names none
  kNoProblem,      // the node carries no problem
  kNoValueChosen,  // Delete on values with no bad value among the rows
  kChanged,        // what would go differs from its backup
  kValidNow,       // judged again right before: no problem any more
  kCannotTell,     // judged again right before: whether it still is cannot be told
  kKept,           // something kept would go with it
  kPartly,         // some of it went; the rest changed while it was deleted, or was refused
  kGoneBefore,     // its entries were gone before it was deleted: not deleted by this deletion
};

struct Refusal {
  Refusal() = default;
  Refusal(RefusalReason why, std::string kept_text = "") : reason(why), kept(std::move(kept_text)) {}

  RefusalReason reason = RefusalReason::kNone;
  std::string kept;  // for kKept: what would go, and why it is kept
  explicit operator bool() const { return reason != RefusalReason::kNone; }
  bool operator==(const Refusal&) const = default;
};

// The English text, as the command-line program reports it; "" for none.
std::string RefusalText(const Refusal& refusal);
