// SPDX-License-Identifier: MIT
#pragma once
// How output files are named.

#include <string>

#include "datetime/time_mode.h"

namespace zaveze {

// The name made from the input's folder and base name and the dates:
// trip_2007-01-01_to_2007-12-31.kml for a TimeSpan (.kmz for a KMZ input) ("Past"/"Present" stand
// in for a missing side), trip_2007-10-02.kml for a TimeStamp.
std::string Auto_Output_Name(const std::string& input, TimeMode mode, const std::string& begin_date,
                             const std::string& end_date);

// The name of an output whose features got their own times: trip_timed.kml (.kmz for a KMZ
// input), beside the input.
std::string Timed_Output_Name(const std::string& input);

// The extension of the output of `input`: ".kmz" for a KMZ archive (by its name), else ".kml".
std::string Output_Extension(const std::string& input);

// A name chosen in the output dialog, with everything from the file name's first dot on
// replaced by `extension` (".kml", or ".kmz" for a KMZ input).
std::string Kml_Output_Name(const std::string& chosen, const std::string& extension = ".kml");

}  // namespace zaveze
