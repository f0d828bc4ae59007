/* Runs a program with the wall clock stopped at SOURCE_DATE_EPOCH and the same memory layout at
 * every run, for tools that stamp their output with the time and know no setting for it.
 * chmcmd (Free Pascal) is one: it asks the kernel itself, with no C library in between, so a
 * preloaded library cannot answer for the clock; here the answers of the clock's system calls
 * are overwritten under ptrace. It also writes a few bytes it never set, which then hold the
 * same leftovers each time: address layout randomisation is off for it.
 *   fixed_clock <program> [arguments...]      (x86-64 Linux)
 * Exits with the program's exit code; 126 where the program cannot be traced. */
#define _GNU_SOURCE
#include <errno.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/personality.h>
#include <sys/ptrace.h>
#include <sys/syscall.h>
#include <sys/user.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static long epoch;

static void poke(pid_t pid, unsigned long long at, long value) {
    if (at) {
        ptrace(PTRACE_POKEDATA, pid, (void*)at, (void*)value);
    }
}

/* At a system call's exit: the clock's answers become the epoch (sub-second parts 0). */
static void fix(pid_t pid) {
    struct user_regs_struct r;
    if (ptrace(PTRACE_GETREGS, pid, 0, &r) != 0 || (long long)r.rax < 0) {
        return;
    }
    switch (r.orig_rax) {
    case SYS_time:
        poke(pid, r.rdi, epoch);
        r.rax = (unsigned long long)epoch;
        ptrace(PTRACE_SETREGS, pid, 0, &r);
        break;
    case SYS_gettimeofday: /* struct timeval */
        poke(pid, r.rdi, epoch);
        poke(pid, r.rdi ? r.rdi + 8 : 0, 0);
        break;
    case SYS_clock_gettime: /* struct timespec, for the wall clock only */
        if (r.rdi == CLOCK_REALTIME || r.rdi == CLOCK_REALTIME_COARSE) {
            poke(pid, r.rsi, epoch);
            poke(pid, r.rsi ? r.rsi + 8 : 0, 0);
        }
        break;
    }
}

int main(int argc, char** argv) {
    const char* text = getenv("SOURCE_DATE_EPOCH");
    char* end = NULL;
    if (argc < 2 || !text || !*text || (epoch = strtol(text, &end, 10), *end)) {
        fprintf(stderr, "usage: SOURCE_DATE_EPOCH=<seconds> fixed_clock <program> [arguments...]\n");
        return 2;
    }
    pid_t child = fork();
    if (child == 0) {
        if (ptrace(PTRACE_TRACEME, 0, 0, 0) != 0 || personality(ADDR_NO_RANDOMIZE) == -1) {
            fprintf(stderr, "fixed_clock: cannot trace %s here: %s\n", argv[1], strerror(errno));
            _exit(126);
        }
        raise(SIGSTOP);
        execvp(argv[1], argv + 1);
        fprintf(stderr, "fixed_clock: cannot run %s: %s\n", argv[1], strerror(errno));
        _exit(127);
    }
    int status;
    if (child < 0 || waitpid(child, &status, 0) != child) {
        perror("fixed_clock");
        return 1;
    }
    /* Threads and children of the program are followed too. */
    ptrace(PTRACE_SETOPTIONS, child, 0,
           (void*)(long)(PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL | PTRACE_O_TRACECLONE | PTRACE_O_TRACEFORK |
                         PTRACE_O_TRACEVFORK));
    ptrace(PTRACE_SYSCALL, child, 0, 0);
    /* Each traced thread stops at a call's entry, then at its exit: only the exit is fixed. */
    static unsigned char at_exit[1 << 22];
    for (;;) {
        pid_t pid = waitpid(-1, &status, __WALL);
        if (pid < 0) {
            break;
        }
        int signal = 0;
        if (WIFEXITED(status) || WIFSIGNALED(status)) {
            if (pid == child) {
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            continue;
        }
        if (WSTOPSIG(status) == (SIGTRAP | 0x80)) {
            unsigned char* exiting = &at_exit[(unsigned)pid % sizeof at_exit];
            if (*exiting) {
                fix(pid);
            }
            *exiting = !*exiting;
        } else if (WSTOPSIG(status) != SIGTRAP && WSTOPSIG(status) != SIGSTOP) {
            signal = WSTOPSIG(status); /* the program's own signals go on to it */
        }
        ptrace(PTRACE_SYSCALL, pid, 0, (void*)(long)signal);
    }
    return 1;
}
