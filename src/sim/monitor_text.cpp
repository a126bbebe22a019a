#include "sim/monitor_text.hpp"

#include <algorithm>

namespace kivprism::sim {

void MonitorText::queue(std::string_view text) {
  // Compact what has been read before the buffer grows further.
  if (read_ > 0 && read_ == buffer_.size()) {
    buffer_.clear();
    read_ = 0;
  }
  buffer_.append(text);
  const std::size_t unread = buffer_.size() - read_;
  if (unread > kBufferLimit) {
    read_ = buffer_.size() - kBufferLimit;
  }
  if (read_ > kBufferLimit) {
    buffer_.erase(0, read_);
    read_ = 0;
  }
}

void MonitorText::schedule(std::uint32_t atTick, std::string text) {
  scheduled_.emplace(atTick, std::move(text));
}

void MonitorText::update(std::uint32_t now) {
  while (!scheduled_.empty() && scheduled_.begin()->first <= now) {
    queue(scheduled_.begin()->second);
    scheduled_.erase(scheduled_.begin());
  }
}

std::size_t MonitorText::take(std::span<std::uint8_t> out) {
  const std::size_t n = std::min(out.size(), pendingBytes());
  std::copy_n(buffer_.begin() + static_cast<std::ptrdiff_t>(read_), n, out.begin());
  read_ += n;
  return n;
}

void MonitorText::clear() {
  buffer_.clear();
  read_ = 0;
  scheduled_.clear();
}

}  // namespace kivprism::sim
