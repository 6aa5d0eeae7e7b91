#include "CallLog.h"

namespace p2kapi {

void CallLog::append(std::string_view line) {
    text_.append(line);
    text_.push_back('\n');
}

std::string loggedPath(const char* phonePath) {
    if (phonePath == nullptr) {
        return "(null)";
    }
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string logged;
    for (const char* p = phonePath; *p != '\0'; ++p) {
        const auto byte = static_cast<unsigned char>(*p);
        if (byte < 0x20 || byte == 0x7F) {
            logged += "\\x";
            logged.push_back(kHex[byte >> 4]);
            logged.push_back(kHex[byte & 0xF]);
        } else {
            logged.push_back(*p);
        }
    }
    return logged;
}

}  // namespace p2kapi
