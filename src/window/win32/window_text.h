// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <string>

namespace zaveze::win32 {

// A window's text: a control's caption or contents, a window's title.
inline std::wstring Window_Text(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace zaveze::win32
