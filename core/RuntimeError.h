// The runtime's failures: the exceptions that end a command and the texts of its error box.
#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

namespace tonvale {

// The program's one error type: a failure that ends the current command, whose message the
// error box shows as the runtime would show it. Every part of the program raises it or a kind
// of it.
class RuntimeError : public std::exception {
  public:
    explicit RuntimeError(std::wstring message);
    const std::wstring& message() const noexcept { return text_->message; }
    // The same text as UTF-8.
    const char* what() const noexcept override { return text_->utf8.c_str(); }

  private:
    struct Text {
        std::wstring message;
        std::string utf8;
    };
    // Shared so that copying the exception cannot throw.
    std::shared_ptr<const Text> text_;
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
