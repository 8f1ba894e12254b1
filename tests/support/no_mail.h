#pragma once
// A mail program that takes every file and sends nothing.
#include "mail/mail_sender.h"

class NoMail : public MailSender {
 public:
  MailResult SendFile(const std::string&) override { return MailResult::kHandedOver; }
};
