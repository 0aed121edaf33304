// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the KMZ code as an archive. The check and the embedding must end
// without a fault whatever the bytes claim, and an archive they accept must come out as one whose
// main document holds the time element.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "core/input_check.h"
#include "core/kmz/kmz.h"
#include "core/time_element.h"

namespace {

zaveze::FileDescriptor File_Of(const std::uint8_t* data, std::size_t size) {
    zaveze::FileDescriptor file(::memfd_create("archive", MFD_CLOEXEC));
    if (size > 0 && ::write(file.Get(), data, size) != static_cast<ssize_t>(size)) {
        std::abort();
    }
    return file;
}

zaveze::InputFile Input_Of(zaveze::FileDescriptor file) {
    zaveze::InputFile input;
    if (input.Adopt(std::move(file))) {
        std::abort();
    }
    return input;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zaveze;
    static const std::string element = Time_Element_Text({TimeMode::TimeSpan, "2007", ""});
    InputFile checked = Input_Of(File_Of(data, size));
    Check_Kmz(checked);

    InputFile input = Input_Of(File_Of(data, size));
    FileDescriptor output(::memfd_create("output", MFD_CLOEXEC));
    if (Write_Kmz(input, output.Get(), element).status != EmbedStatus::Written) {
        return 0;
    }
    InputFile written = Input_Of(std::move(output));
    if (Check_Kmz(written).verdict != InputVerdict::HasTimeData) {
        std::fprintf(stderr, "an accepted archive came out without the time element\n");
        std::abort();
    }
    return 0;
}
