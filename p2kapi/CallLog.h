// The record of calls made through the library's exports, for tests to compare.
#pragma once

#include <string>
#include <string_view>

namespace p2kapi {

class CallLog {
  public:
    void append(std::string_view line);
    void clear() { text_.clear(); }
    const std::string& text() const { return text_; }

  private:
    std::string text_;
};

// A phone path as it appears in the log: "(null)" for none, control bytes as "\xNN", so that
// every call stays on one line.
std::string loggedPath(const char* phonePath);

}  // namespace p2kapi
