#pragma once

// The help reader's confinement. chmlib parses an untrusted file; once that file is open the
// reader needs nothing but to read it, allocate memory, write its reply to the standard output
// and end, so that is all it may do.
namespace helpreader {

// Forbids gaining privileges through exec (set-user-ID programs, file capabilities); also what
// lets an unprivileged process install a system-call filter.
bool forbidNewPrivileges();

// Closes every descriptor above lowest (close_range where the kernel has it, else one by one).
void closeDescriptorsAbove(int lowest);

// Installs a seccomp filter that lets through only: read, pread64, readv, lseek, fstat, close,
// mmap, munmap, mremap, brk, madvise, mprotect, futex, rt_sigreturn, rt_sigprocmask, sigaltstack, exit,
// exit_group, and write/writev to the standard output or error. Any other call (open, socket,
// exec, a write to another descriptor, a call of another architecture) ends the process with
// SIGSYS. forbidNewPrivileges() must come first. False when the kernel refuses the filter.
bool confineToReading();

} // namespace helpreader
