// SPDX-License-Identifier: MIT
// Compiled by a test that expects it to fail: the table holds no control "txtInputFiel".
#include "form/control_table.h"

zaveze::form::ControlName Misspelled() {
    return "txtInputFiel";
}
