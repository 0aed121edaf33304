#pragma once
// The checks an input file must pass before it is used: it must not carry time data already,
// and it must hold a container tag after which the time element can go.

#include <optional>
#include <string>

namespace zaveze {

enum class InputVerdict {
    Accepted,
    HasTimeData,     // "TimeStamp" or "TimeSpan" appears somewhere in the file
    NoContainerTag,  // no container tag anywhere (an empty file included)
    Unreadable,      // missing, a folder, no permission...; `reason` says why
};

struct InputCheck {
    InputVerdict verdict = InputVerdict::Accepted;
    std::string reason;
};

InputCheck Check_Input_File(const std::string& path);

// What to tell the user about a refused input; no value for an accepted one.
std::optional<std::string> Input_Refusal_Message(const InputCheck& check, const std::string& path);

}  // namespace zaveze
