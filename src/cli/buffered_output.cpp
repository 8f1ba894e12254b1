#include "cli/buffered_output.h"

#include <algorithm>

BufferedOutput::BufferedOutput(OutputSink& sink, std::size_t capacity) : sink_(sink), buffer_(std::max<std::size_t>(capacity, 1)) {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

BufferedOutput::~BufferedOutput() { WriteHeld(); }

bool BufferedOutput::WriteHeld() {
  const std::size_t held = static_cast<std::size_t>(pptr() - pbase());
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  return held == 0 || sink_.Write(buffer_.data(), held);
}

BufferedOutput::int_type BufferedOutput::overflow(int_type ch) {
  if (!WriteHeld()) return traits_type::eof();
  if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
  *pptr() = traits_type::to_char_type(ch);
  pbump(1);
  return ch;
}

int BufferedOutput::sync() { return WriteHeld() ? 0 : -1; }

ConsoleStreams::ConsoleStreams(OutputSink& out, OutputSink& err)
    : out_buffer_(out), err_buffer_(err), out_(&out_buffer_), err_(&err_buffer_) {
  err_.tie(&out_);
  err_.setf(std::ios::unitbuf);
}
