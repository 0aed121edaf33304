// SPDX-License-Identifier: MIT
#pragma once
// The bytes of a tag as both scans for tags read them, the container locator and the markup
// scanner: a name (or prefix) starts with an ASCII letter or "_" and goes on with digits, "-" and
// "." too; blanks separate attributes; an attribute's name runs to a blank, "=", a quote or the
// tag's end.

namespace zaveze::markup {

inline bool Starts_Name(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
inline bool Continues_Name(char c) {
    return Starts_Name(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}
inline bool Is_Space(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
inline bool Is_Attribute_Name_Byte(char c) {
    return !Is_Space(c) && c != '=' && c != '/' && c != '<' && c != '>' && c != '"' && c != '\'';
}

}  // namespace zaveze::markup
