// SPDX-License-Identifier: MIT
#pragma once
// The values the window's handlers share outside its controls: the chosen files, the date texts
// last built, whether a year was typed since the last reset, and the date format shown.

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
