// SPDX-License-Identifier: MIT
#pragma once
// The values the window's handlers share outside its controls.

#include <string>

namespace zaveze {

struct FormState {
    std::string strInput_File;   // the input path as the open dialog returned it
    std::string strOutput_File;  // the output path as last accepted
    std::string strTemp_File;    // the scratch path belonging to the last accepted output
    std::string strBegin_Date;   // date texts as last built from the date controls
    std::string strEnd_Date;
    bool bBegin_Year_Set = false;  // the year box changed since the last reset
    bool bEnd_Year_Set = false;
    bool bTime_Inserted = false;  // the time element went into the current output
    std::string strDate_Format;   // shown between parentheses in the date captions
};

}  // namespace zaveze
