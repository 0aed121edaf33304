// SPDX-License-Identifier: MIT
#include "core/output_naming.h"

#include "core/kmz/kmz.h"
#include "core/module1.h"

namespace zaveze {

std::string Auto_Output_Name(const std::string& input, TimeMode mode, const std::string& begin_date,
                             const std::string& end_date) {
    const std::string stem = Module1::Get_Folder(input) + Module1::Get_Base_Name(input) + "_";
    const std::string extension = Output_Extension(input);
    if (mode == TimeMode::TimeStamp) {
        return stem + begin_date + extension;
    }
    const std::string begin_part = begin_date.empty() ? "Past" : begin_date;
    const std::string end_part = end_date.empty() ? "Present" : end_date;
    return stem + begin_part + "_to_" + end_part + extension;
}

std::string Timed_Output_Name(const std::string& input) {
    return Module1::Get_Folder(input) + Module1::Get_Base_Name(input) + "_timed" +
           Output_Extension(input);
}

std::string Output_Extension(const std::string& input) {
    return Has_Kmz_Name(input) ? ".kmz" : ".kml";
}

std::string Kml_Output_Name(const std::string& chosen, const std::string& extension) {
    return Module1::Get_Folder(chosen) + Module1::Get_Base_Name(chosen) + extension;
}

}  // namespace zaveze
