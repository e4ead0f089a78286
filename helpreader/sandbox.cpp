#include "sandbox.h"

#include <cerrno>
#include <cstddef>

#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace helpreader {
namespace {

#if defined(__x86_64__)
constexpr unsigned kArchitecture = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
constexpr unsigned kArchitecture = AUDIT_ARCH_AARCH64;
#else
#error "the help reader's system-call filter knows x86-64 and AArch64 only"
#endif

constexpr unsigned kNumber = offsetof(struct seccomp_data, nr);
constexpr unsigned kArch = offsetof(struct seccomp_data, arch);
// The low 32 bits of the first argument (a descriptor), little-endian.
constexpr unsigned kFirstArgument = offsetof(struct seccomp_data, args);

constexpr long kAllowed[] = {
    SYS_read,  SYS_pread64,      SYS_readv,          SYS_lseek,       SYS_fstat,   SYS_close,
    SYS_mmap,  SYS_munmap,       SYS_mremap,         SYS_brk,         SYS_madvise, SYS_mprotect,
    SYS_futex, SYS_rt_sigreturn, SYS_rt_sigprocmask, SYS_sigaltstack, SYS_exit,    SYS_exit_group,
};

sock_filter statement(unsigned short code, unsigned k)
{
    return sock_filter{code, 0, 0, k};
}

sock_filter jump(unsigned short code, unsigned k, unsigned char ifTrue, unsigned char ifFalse)
{
    return sock_filter{code, ifTrue, ifFalse, k};
}

} // namespace

bool forbidNewPrivileges()
{
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0;
}

void closeDescriptorsAbove(int lowest)
{
#ifdef SYS_close_range
    if (::syscall(SYS_close_range, unsigned(lowest + 1), ~0U, 0U) == 0)
        return;
#endif
    struct rlimit limit {
    };
    long highest = 4096;
    if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        highest = limit.rlim_cur < 65536 ? long(limit.rlim_cur) : 65536;
    for (long fd = lowest + 1; fd < highest; ++fd)
        ::close(int(fd));
}

bool confineToReading()
{
    constexpr unsigned char kCount = sizeof kAllowed / sizeof kAllowed[0];
    sock_filter program[8 + kCount + 8];
    unsigned n = 0;
    // The architecture first: another one numbers its calls differently.
    program[n++] = statement(BPF_LD | BPF_W | BPF_ABS, kArch);
    program[n++] = jump(BPF_JMP | BPF_JEQ | BPF_K, kArchitecture, 1, 0);
    program[n++] = statement(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS);
    program[n++] = statement(BPF_LD | BPF_W | BPF_ABS, kNumber);
#if defined(__x86_64__)
    // x32 calls share the architecture but set this bit.
    program[n++] = jump(BPF_JMP | BPF_JGE | BPF_K, 0x40000000U, 0, 1);
    program[n++] = statement(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS);
#endif
    // Each allowed call jumps to the "allow" at the end of the list.
    for (unsigned char i = 0; i < kCount; ++i)
        program[n++] =
            jump(BPF_JMP | BPF_JEQ | BPF_K, unsigned(kAllowed[i]), (unsigned char)(kCount - i + 6), 0);
    // write and writev only to the standard output and error.
    program[n++] = jump(BPF_JMP | BPF_JEQ | BPF_K, SYS_write, 2, 0);
    program[n++] = jump(BPF_JMP | BPF_JEQ | BPF_K, SYS_writev, 1, 0);
    program[n++] = statement(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS);
    program[n++] = statement(BPF_LD | BPF_W | BPF_ABS, kFirstArgument);
    program[n++] = jump(BPF_JMP | BPF_JEQ | BPF_K, STDOUT_FILENO, 2, 0);
    program[n++] = jump(BPF_JMP | BPF_JEQ | BPF_K, STDERR_FILENO, 1, 0);
    program[n++] = statement(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS);
    program[n++] = statement(BPF_RET | BPF_K, SECCOMP_RET_ALLOW);
    const sock_fprog filter{static_cast<unsigned short>(n), program};
    return ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter, 0, 0) == 0;
}

} // namespace helpreader
