#pragma once

#include <algorithm>
#include <cstddef>
#include <system_error>

#include "core/conversion_error.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

// The calls on an open file handle that writing a file in place and writing through a device
// share, by the C library's names on each system, and the error that a failed one throws.
namespace walkconv::file_handles {

[[noreturn]] inline void Fail(int code) {
    throw ConversionError(std::generic_category().message(code));
}

#ifdef _WIN32
// One call writes at most 1 GiB: _write takes an unsigned count.
inline long WriteSome(int handle, const char* data, std::size_t size) {
    return _write(handle, data, static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30)));
}
inline int CloseFile(int handle) {
    return _close(handle);
}
#else
inline long WriteSome(int handle, const char* data, std::size_t size) {
    return ::write(handle, data, size);
}
inline int CloseFile(int handle) {
    return ::close(handle);
}
#endif

}  // namespace walkconv::file_handles
