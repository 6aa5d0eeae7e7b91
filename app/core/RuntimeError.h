// The runtime's failures: the exceptions that end a command and the texts of its error box.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace tonvale {

// A failure that ends the current command; its message is shown as the runtime would show it.
class RuntimeError : public std::exception {
  public:
    explicit RuntimeError(std::wstring message);
    const std::wstring& message() const noexcept { return message_; }
    const char* what() const noexcept override { return narrow_.c_str(); }

  private:
    std::wstring message_;
    std::string narrow_;
};

// The message of a local-file failure by its error code: "File not found" for 2, ...,
// "I/O error 32" for a code without a text of its own.
std::wstring ioErrorMessage(int code);
RuntimeError ioError(int code);

// "'<text>' is not a valid integer value".
RuntimeError notAnInteger(std::wstring_view text);

// A whole decimal number in the signed 32-bit range, optionally signed; anything else
// (empty, blanks, fractions, out of range) raises the conversion failure.
int32_t parseInt32(std::wstring_view text);

// What the error box shows: the message with a full stop added when its last character sorts
// after ".".
std::wstring errorBoxText(std::wstring_view message);

// The program's title: the executable's file name cut at its first ".".
std::wstring programTitleFromPath(std::wstring_view executablePath);

}  // namespace tonvale
