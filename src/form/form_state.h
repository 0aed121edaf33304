// SPDX-License-Identifier: MIT
#pragma once
// The values the window's handlers share outside its controls. The scratch path and the
// "element inserted" flag of the original design are gone: the output is written through an
// unnamed or scratch file that the file layer names and removes itself, and the element goes in
// once by construction, so neither value had a reader.

#include <string>

namespace zaveze::form {

struct FormState {
    std::string strInput_File;   // the input path as the open dialog returned it
    std::string strOutput_File;  // the output path as last accepted
    std::string strBegin_Date;   // date texts as last built from the date controls
    std::string strEnd_Date;
    bool bBegin_Year_Set = false;  // the year box changed since the last reset
    bool bEnd_Year_Set = false;
    std::string strDate_Format;  // shown between parentheses in the date captions
};

}  // namespace zaveze::form
