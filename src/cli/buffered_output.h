#pragma once
// Standard output and error written to their devices in large pieces. A
// character device (a console, NUL) takes every write call on its own, so a
// list written a few characters per call takes many times longer there than
// in a file.
#include <cstddef>
#include <ostream>
#include <streambuf>
#include <vector>

// Where the pieces go, each in one call.
class OutputSink {
 public:
  virtual ~OutputSink() = default;
  // Writes all of it; false when the device refused.
  virtual bool Write(const char* data, std::size_t size) = 0;
};

// Holds what is written until it is full, flushed or destroyed.
class BufferedOutput : public std::streambuf {
 public:
  static constexpr std::size_t kCapacity = 64 * 1024;

  explicit BufferedOutput(OutputSink& sink, std::size_t capacity = kCapacity);
  ~BufferedOutput() override;
  BufferedOutput(const BufferedOutput&) = delete;
  BufferedOutput& operator=(const BufferedOutput&) = delete;

 protected:
  int_type overflow(int_type ch) override;
  int sync() override;

 private:
  bool WriteHeld();

  OutputSink& sink_;
  std::vector<char> buffer_;
};

// A console program's standard output and error, both buffered. Error is
// tied to output and written at once: output holds nothing back when a
// progress line or a message appears, so the two keep their order where one
// console shows both.
class ConsoleStreams {
 public:
  ConsoleStreams(OutputSink& out, OutputSink& err);

  std::ostream& Out() { return out_; }
  std::ostream& Err() { return err_; }

 private:
  BufferedOutput out_buffer_;
  BufferedOutput err_buffer_;
  std::ostream out_;
  std::ostream err_;
};
