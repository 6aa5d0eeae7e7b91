#include "Seem.h"

#include <algorithm>
#include <array>

namespace p2kapi {
namespace {

constexpr int kLabelSeem = 279;
constexpr int kLabelRecord = 1;

}  // namespace

bool readSeem(const PhoneLabel& label, int seem, int record, int offset, int bytes,
              unsigned char* buffer) {
    if (buffer == nullptr || seem != kLabelSeem || record != kLabelRecord) {
        return false;
    }
    // The label characters sit at the even bytes, zeros between them.
    std::array<unsigned char, 2 * std::tuple_size_v<PhoneLabel> - 1> content{};
    for (size_t i = 0; i < label.size(); ++i) {
        content[2 * i] = static_cast<unsigned char>(label[i]);
    }
    const int size = static_cast<int>(content.size());
    if (offset < 1 || bytes < 1 || offset > size || bytes > size - (offset - 1)) {
        return false;
    }
    std::copy_n(content.begin() + (offset - 1), bytes, buffer);
    return true;
}

}  // namespace p2kapi
