// faultfs: a library preloaded (LD_PRELOAD) into a run of ledger-tool that makes the N-th call
// of one file-system operation fail, as a failing disk would. Only calls on paths under
// QIVO_FAULT_ROOT count, so the run's own output and libraries are left alone.
//
//   QIVO_FAULT_ROOT    folder whose files count (required)
//   QIVO_FAULT_OP      write | fsync | link | rename | unlink | open | mkdir
//   QIVO_FAULT_ERRNO   ENOSPC or EIO: the error every failing call gives (else each call's
//                      usual one: ENOSPC for writes, EIO for the others)
//   QIVO_FAULT_SHORT   "1": a failing write writes half its bytes and returns that count
//                      (a short write) instead of failing
//   QIVO_FAULT_AT      the call (from 1) that fails; 0 or unset: none fails
//   QIVO_FAULT_STICKY  "1": every later call fails too (a full disk)
//   QIVO_FAULT_REPORT  file that receives the number of counted calls at exit
// Syncs of counted files that do not fail return at once: the runs test what the program
// does with the results, not the disk, and hundreds of real syncs would only cost time.
#ifndef _GNU_SOURCE
#define _GNU_SOURCE
#endif
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <unistd.h>

#include <atomic>

namespace {

struct Config {
    const char* root = nullptr;
    size_t rootLength = 0;
    const char* op = "";
    long at = 0;
    bool sticky = false;
    const char* report = nullptr;
    int error = 0;
    bool shortWrite = false;
    std::atomic<long> calls{0};

    Config() {
        root = getenv("QIVO_FAULT_ROOT");
        rootLength = root ? strlen(root) : 0;
        if (const char* o = getenv("QIVO_FAULT_OP")) op = o;
        if (const char* a = getenv("QIVO_FAULT_AT")) at = atol(a);
        const char* s = getenv("QIVO_FAULT_STICKY");
        sticky = s && s[0] == '1';
        report = getenv("QIVO_FAULT_REPORT");
        if (const char* e = getenv("QIVO_FAULT_ERRNO"))
            error = strcmp(e, "ENOSPC") == 0 ? ENOSPC : strcmp(e, "EIO") == 0 ? EIO : 0;
        const char* w = getenv("QIVO_FAULT_SHORT");
        shortWrite = w && w[0] == '1';
    }
};

Config& config() {
    static Config c;
    return c;
}

bool underRoot(const char* path) {
    const Config& c = config();
    return c.rootLength > 0 && path && strncmp(path, c.root, c.rootLength) == 0;
}

bool fdUnderRoot(int fd) {
    char link[64];
    char target[4096];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = readlink(link, target, sizeof target - 1);
    if (n <= 0) return false;
    target[n] = '\0';
    return underRoot(target);
}

// Counts a call of `op` on a path under the root; true when this call is to fail.
bool failNow(const char* op, bool counted) {
    Config& c = config();
    if (!counted || strcmp(c.op, op) != 0) return false;
    const long n = ++c.calls;
    return c.at > 0 && (n == c.at || (c.sticky && n > c.at));
}

// open() reads its third argument only when it creates a file.
bool takesMode(int flags) {
    return (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE;
}

// The error of a failing call: the chosen one, else the call's usual one.
int failure(int usual) {
    return config().error ? config().error : usual;
}

template <typename F> F next(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

struct Reporter {
    ~Reporter() {
        const Config& c = config();
        if (!c.report) return;
        if (FILE* f = fopen(c.report, "w")) {
            fprintf(f, "%ld\n", c.calls.load());
            fclose(f);
        }
    }
} reporter;

} // namespace

extern "C" {

ssize_t write(int fd, const void* buf, size_t count) {
    static auto real = next<ssize_t (*)(int, const void*, size_t)>("write");
    if (failNow("write", fd > 2 && fdUnderRoot(fd))) {
        if (config().shortWrite && count > 0) return real(fd, buf, count / 2);
        errno = failure(ENOSPC);
        return -1;
    }
    return real(fd, buf, count);
}

int fsync(int fd) {
    static auto real = next<int (*)(int)>("fsync");
    const bool counted = fdUnderRoot(fd);
    if (failNow("fsync", counted)) {
        errno = failure(EIO);
        return -1;
    }
    return counted ? 0 : real(fd);
}

int fdatasync(int fd) {
    static auto real = next<int (*)(int)>("fdatasync");
    const bool counted = fdUnderRoot(fd);
    if (failNow("fsync", counted)) {
        errno = failure(EIO);
        return -1;
    }
    return counted ? 0 : real(fd);
}

int link(const char* from, const char* to) {
    static auto real = next<int (*)(const char*, const char*)>("link");
    if (failNow("link", underRoot(from) || underRoot(to))) {
        errno = failure(EIO);
        return -1;
    }
    return real(from, to);
}

int linkat(int fromDir, const char* from, int toDir, const char* to, int flags) {
    static auto real = next<int (*)(int, const char*, int, const char*, int)>("linkat");
    if (failNow("link", underRoot(from) || underRoot(to))) {
        errno = failure(EIO);
        return -1;
    }
    return real(fromDir, from, toDir, to, flags);
}

int rename(const char* from, const char* to) {
    static auto real = next<int (*)(const char*, const char*)>("rename");
    if (failNow("rename", underRoot(from) || underRoot(to))) {
        errno = failure(EIO);
        return -1;
    }
    return real(from, to);
}

int renameat(int fromDir, const char* from, int toDir, const char* to) {
    static auto real = next<int (*)(int, const char*, int, const char*)>("renameat");
    if (failNow("rename", underRoot(from) || underRoot(to))) {
        errno = failure(EIO);
        return -1;
    }
    return real(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned flags) {
    static auto real = next<int (*)(int, const char*, int, const char*, unsigned)>("renameat2");
    if (failNow("rename", underRoot(from) || underRoot(to))) {
        errno = failure(EIO);
        return -1;
    }
    return real(fromDir, from, toDir, to, flags);
}

int unlink(const char* path) {
    static auto real = next<int (*)(const char*)>("unlink");
    if (failNow("unlink", underRoot(path))) {
        errno = failure(EIO);
        return -1;
    }
    return real(path);
}

int unlinkat(int dir, const char* path, int flags) {
    static auto real = next<int (*)(int, const char*, int)>("unlinkat");
    if (failNow("unlink", underRoot(path))) {
        errno = failure(EIO);
        return -1;
    }
    return real(dir, path, flags);
}

int remove(const char* path) {
    static auto real = next<int (*)(const char*)>("remove");
    if (failNow("unlink", underRoot(path))) {
        errno = failure(EIO);
        return -1;
    }
    return real(path);
}

// Opening a file under the root (reading or creating it) fails as an unreadable disk would.
int open(const char* path, int flags, ...) {
    static auto real = next<int (*)(const char*, int, ...)>("open");
    va_list args;
    va_start(args, flags);
    const mode_t mode = takesMode(flags) ? va_arg(args, mode_t) : 0;
    va_end(args);
    if (failNow("open", underRoot(path))) {
        errno = failure(EIO);
        return -1;
    }
    return real(path, flags, mode);
}

int open64(const char* path, int flags, ...) {
    static auto real = next<int (*)(const char*, int, ...)>("open64");
    va_list args;
    va_start(args, flags);
    const mode_t mode = takesMode(flags) ? va_arg(args, mode_t) : 0;
    va_end(args);
    if (failNow("open", underRoot(path))) {
        errno = failure(EIO);
        return -1;
    }
    return real(path, flags, mode);
}

int mkdir(const char* path, mode_t mode) {
    static auto real = next<int (*)(const char*, mode_t)>("mkdir");
    if (failNow("mkdir", underRoot(path))) {
        errno = failure(EIO);
        return -1;
    }
    return real(path, mode);
}

} // extern "C"
