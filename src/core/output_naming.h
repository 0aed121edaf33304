#pragma once
// How output and scratch files are named.

#include <string>

#include "datetime/time_mode.h"

namespace zaveze {

// The name made from the input's folder and base name and the dates:
// trip_2007-01-01_to_2007-12-31.kml for a TimeSpan ("Past"/"Present" stand in for a missing
// side), trip_2007-10-02.kml for a TimeStamp.
std::string Auto_Output_Name(const std::string& input, TimeMode mode, const std::string& begin_date,
                             const std::string& end_date);

// A name chosen in the output dialog, with everything from the file name's first dot on
// replaced by ".kml".
std::string Kml_Output_Name(const std::string& chosen);

// The scratch file for an output: same folder (exactly as given) and base name, extension ".tmp".
std::string Scratch_Name(const std::string& output);

}  // namespace zaveze
