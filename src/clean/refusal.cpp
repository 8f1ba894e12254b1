#include "clean/refusal.h"

std::string RefusalText(const Refusal& refusal) {
  switch (refusal.reason) {
    case RefusalReason::kNone: return "";
    case RefusalReason::kRootKey: return "its deletion level reaches a whole root key";
    case RefusalReason::kBackup:
      return "its backup would be incomplete (a key or value could not be read, or would not merge back exactly)";
    case RefusalReason::kByRegistry: return "the registry refused to delete it";
    case RefusalReason::kNoValue: return "its deletion level deletes values, and it names none";
    case RefusalReason::kNoProblem: return "it carries no problem";
    case RefusalReason::kNoValueChosen: return "no bad value chosen";
    case RefusalReason::kChanged: return "it changed since its backup was made";
    case RefusalReason::kValidNow: return "it is valid now";
    case RefusalReason::kCannotTell: return "whether it is still a problem cannot be told now";
    case RefusalReason::kKept: return refusal.kept;
    case RefusalReason::kPartly: return "partly deleted: it changed while it was deleted";
    case RefusalReason::kGoneBefore: return "gone before it was deleted";
  }
  return "";
}
