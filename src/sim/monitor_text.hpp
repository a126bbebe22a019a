// The controller's outgoing monitoring text: what it has to say about its inputs and buses waits
// here until the program drains it through area 0x05, at most one packet's worth per read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>

namespace kivprism::sim {

class MonitorText {
 public:
  // The controller keeps at most this much unread text; older text is dropped first.
  static constexpr std::size_t kBufferLimit = 64 * 1024;

  // Text waiting from now on (line ends are the caller's: "\r\n" as the controller sends them).
  void queue(std::string_view text);
  // Text that becomes waiting once the tick reaches atTick.
  void schedule(std::uint32_t atTick, std::string text);
  // Moves scheduled text that has become due into the queue.
  void update(std::uint32_t now);

  bool waiting() const { return read_ < buffer_.size(); }
  std::size_t pendingBytes() const { return buffer_.size() - read_; }
  // Moves up to out.size() bytes of waiting text into out; returns how many.
  std::size_t take(std::span<std::uint8_t> out);

  void clear();

 private:
  std::string buffer_;
  std::size_t read_ = 0;
  std::multimap<std::uint32_t, std::string> scheduled_;
};

}  // namespace kivprism::sim
