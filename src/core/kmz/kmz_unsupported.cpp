// SPDX-License-Identifier: MIT
// KMZ for builds without zlib: such inputs are refused with a clear message.

#include "core/kmz/kmz.h"

namespace zaveze {

bool Kmz_Supported() {
    return false;
}

bool Piped_As_Text_But_An_Archive(const InputFile&) {
    return false;
}

bool Ends_Like_An_Archive(int) {
    return false;  // only names and first bytes tell an archive without the ZIP reader
}

InputCheck Check_Kmz(InputFile&, JobControl*) {
    return {InputVerdict::KmzUnsupported, {}, {}, 0, {}};
}

EmbedResult Write_Kmz(InputFile&, int, const Embedding&, JobControl*) {
    return {EmbedStatus::KmzUnsupported, {}, {}};
}

}  // namespace zaveze
