#pragma once
// Private temporary folders that must not outlive the program: the DOCX
// reader's folder holds the document's text. A folder registered here is
// removed with everything in it when the program exits (return from main,
// exit) and when SIGINT, SIGTERM or SIGHUP ends it. The removal only uses
// calls that are safe in a signal handler (open, getdents64, unlinkat,
// fchmod, close); the paths live in fixed buffers.
#include <string>

namespace kwl::tempcleanup {

// Registers folder for removal; false when the path is too long or every
// slot is taken (then nothing would remove it on a signal). The first
// registration also arranges the removal at exit.
bool Register(const std::string& folder);

// Forgets folder (after the program removed it itself); false when it was
// not registered.
bool Forget(const std::string& folder);

// Whether folder is registered.
bool IsRegistered(const std::string& folder);

// Removes every registered folder with its contents and forgets them.
// Safe to call from a signal handler.
void RemoveAll() noexcept;

// Handlers for SIGINT, SIGTERM and SIGHUP that remove the registered
// folders and then end the program with the same signal, as if it had had
// no handler. A signal the program was started with ignored stays ignored.
void InstallSignalHandlers();

}  // namespace kwl::tempcleanup
