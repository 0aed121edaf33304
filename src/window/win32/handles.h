// SPDX-License-Identifier: MIT
#pragma once
// Windows handles owned as the core owns file descriptors: closed when their owner goes.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace zaveze::win32 {

struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
// A kernel object's handle (an event, a thread); null for none.
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
// A font made for the window's controls.
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;

}  // namespace zaveze::win32
