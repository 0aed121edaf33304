#include "core/output_naming.h"

#include "core/module1.h"
#include "core/safe_output.h"

namespace zaveze {

std::string Auto_Output_Name(const std::string& input, TimeMode mode, const std::string& begin_date,
                             const std::string& end_date) {
    const std::string stem = Module1::Get_Folder(input) + Module1::Get_Base_Name(input) + "_";
    if (mode == TimeMode::TimeStamp) {
        return stem + begin_date + ".kml";
    }
    const std::string begin_part = begin_date.empty() ? "Past" : begin_date;
    const std::string end_part = end_date.empty() ? "Present" : end_date;
    return stem + begin_part + "_to_" + end_part + ".kml";
}

std::string Kml_Output_Name(const std::string& chosen) {
    return Module1::Get_Folder(chosen) + Module1::Get_Base_Name(chosen) + ".kml";
}

std::string Scratch_Name(const std::string& output) {
    return Scratch_Candidate(output, 0, false);
}

}  // namespace zaveze
