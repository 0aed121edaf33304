// The writing pass of zaveze-embed without the input check before it:
//   zaveze-bench-engine INPUT OUTPUT
// bench/run times it beside the whole tool, to show what each of the two passes costs.

#include <cstdio>

#include "core/embed_file.h"
#include "core/time_element.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s INPUT OUTPUT\n", argv[0]);
        return 2;
    }
    const zaveze::TimeElement element{zaveze::TimeMode::TimeSpan, "2007-01-01", "2007-12-31"};
    const zaveze::EmbedResult result =
        zaveze::Embed_File(argv[1], argv[2], zaveze::Time_Element_Text(element));
    if (result.status != zaveze::EmbedStatus::Written) {
        std::fprintf(stderr, "%s\n",
                     zaveze::Embed_Result_Message(result, argv[1], argv[2]).c_str());
        return 1;
    }
    return 0;
}
