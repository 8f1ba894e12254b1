#pragma once
#include <string>

// Offers one file to the user's mail program as an attachment.
class MailSender {
 public:
  virtual ~MailSender() = default;
  // Returns when the user has sent or abandoned the message.
  virtual void SendFile(const std::string& path) = 0;
};
