#include "Failure.h"

#include <new>

#include "RuntimeError.h"
#include "Utf8.h"

namespace tonvale {

std::wstring describeFailure(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const RuntimeError& error) {
        return error.message();
    } catch (const std::bad_alloc&) {
        return L"Out of memory";
    } catch (const std::exception& error) {
        return fromUtf8(error.what());
    } catch (...) {
        return L"Unknown failure";
    }
}

}  // namespace tonvale
