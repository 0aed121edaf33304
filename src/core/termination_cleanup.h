// SPDX-License-Identifier: MIT
#pragma once
// Named scratch files that must not outlive the process, even when a signal ends it.
//
// Where the system can make unnamed files, an unfinished output has no name and vanishes by
// itself whatever ends the process. Where it cannot, the output is written under a scratch name;
// those names are registered here, and the programs install handlers that remove them when
// SIGINT, SIGTERM or SIGHUP arrives.

#include <string>

namespace zaveze {

// Remembers `path` until Forget_Scratch_File; false when no slot is free (the caller then keeps
// the file unnamed or accepts that a signal may leave it).
bool Remember_Scratch_File(const std::string& path);
void Forget_Scratch_File(const std::string& path);

// Installs the handlers: SIGINT, SIGTERM and SIGHUP remove the remembered files and end the
// process with status 128 + the signal's number; SIGXFSZ is ignored, so that a write beyond a
// file-size limit fails with EFBIG and is reported like any failed write; SIGPIPE is ignored, so
// that a closed standard output is an error to report rather than a silent end.
void Install_Termination_Cleanup();

}  // namespace zaveze
