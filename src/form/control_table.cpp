// SPDX-License-Identifier: MIT
#include "form/control_table.h"

namespace zaveze::form {
namespace {

// The controls that entries name (the frame an option sits in, the box a label names) are in
// the table: a misspelt one does not compile.
consteval bool Every_Named_Control_Is_There() {
    const auto there = [](std::string_view name) {
        for (const ControlSpec& spec : table::kControls) {
            if (spec.name == name) {
                return true;
            }
        }
        return false;
    };
    for (const ControlSpec& spec : table::kControls) {
        if ((!spec.frame.empty() && !there(spec.frame)) ||
            (!spec.names.empty() && !there(spec.names))) {
            return false;
        }
    }
    return true;
}
static_assert(Every_Named_Control_Is_There(), "an entry names a control the table does not hold");

}  // namespace

std::optional<ControlName> ControlName::Find(std::string_view name) {
    for (const ControlSpec& spec : table::kControls) {
        if (spec.name == name) {
            return ControlName(FromTable{}, spec.name);
        }
    }
    return std::nullopt;
}

std::span<const ControlSpec> Control_Table() {
    return table::kControls;
}

ControlKind Kind_Of(ControlName name) {
    return table::Spec_Of(name.View()).kind;
}

std::string_view Caption_Of(ControlName name) {
    return table::Spec_Of(name.View()).caption;
}

std::span<const ControlName> Focus_Order() {
    return table::kFocusOrder;
}

}  // namespace zaveze::form
