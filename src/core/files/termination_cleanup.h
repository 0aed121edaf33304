// SPDX-License-Identifier: MIT
#pragma once
// Named scratch files that must not outlive the process, even when a signal ends it.
//
// Where the system can make unnamed files, an unfinished output has no name and vanishes by
// itself whatever ends the process. Where it cannot, the output is written under a scratch name,
// and on file systems without links the output's own name is held by an empty claim until the
// finished file is renamed over it. Those names are registered here, and the programs install
// handlers that remove them when a signal ends the process.

#include <string>

#include "core/files/platform/file_system.h"

namespace zaveze {

// Remembers that `path` names `file`, a file this process made, until Forget_Scratch_File. A
// signal removes the name only while it still names that very file, so a name that another file
// has taken meanwhile (the finished output renamed over a claim, another program's file) stays.
// False when no slot is free: the caller then accepts that a signal may leave the file.
bool Remember_Scratch_File(const std::string& path, const platform::FileIdentity& file);
void Forget_Scratch_File(const std::string& path);

// Installs the handlers: every signal whose default action ends the process (SIGINT, SIGTERM,
// SIGHUP, SIGQUIT, SIGUSR1, SIGALRM, the real-time signals...) removes the remembered files, then
// ends the process by that same signal; SIGXFSZ is ignored, so that a write beyond a
// file-size limit fails with EFBIG and is reported like any failed write; SIGPIPE is ignored, so
// that a closed standard output is an error to report rather than a silent end.
void Install_Termination_Cleanup();

}  // namespace zaveze
