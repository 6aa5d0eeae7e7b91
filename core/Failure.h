// The text of any failure that reaches a handler boundary, for the error box.
#pragma once

#include <exception>
#include <string>

namespace tonvale {

// The program's own errors give their message; anything else a plain description.
std::wstring describeFailure(std::exception_ptr failure);

}  // namespace tonvale
