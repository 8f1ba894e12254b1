#pragma once
#include <string>

// What became of a file offered to the mail program.
enum class MailResult {
  kHandedOver,     // the user sent or abandoned the message
  kNoMailProgram,  // nothing could take the file
};

// Offers one file to the user's mail program as an attachment.
class MailSender {
 public:
  virtual ~MailSender() = default;
  // Returns when the user has sent or abandoned the message.
  virtual MailResult SendFile(const std::string& path) = 0;
};
