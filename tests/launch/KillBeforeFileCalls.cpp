// Stands in front of the C library's calls that change files, for play_child: the N-th of them
// (counted from the start) kills the process before it is made, as a crash at that step would.
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>

#include <atomic>
#include <cstdarg>
#include <cstdio>

std::atomic<int> KillBeforeFileCall{-1};  // 1-based; -1 never

namespace {
std::atomic<int> calls{0};
void Step() {
    if (++calls == KillBeforeFileCall.load()) {
        raise(SIGKILL);
    }
}
}  // namespace

#define VREL_PASS_ON(ret, name, params, args)                                              \
    extern "C" ret name params {                                                           \
        static const auto real = reinterpret_cast<ret(*) params>(dlsym(RTLD_NEXT, #name)); \
        Step();                                                                            \
        return real args;                                                                  \
    }
VREL_PASS_ON(int, mkdir, (const char* p, mode_t m), (p, m))
VREL_PASS_ON(int, rmdir, (const char* p), (p))
VREL_PASS_ON(int, unlink, (const char* p), (p))
VREL_PASS_ON(int, remove, (const char* p), (p))
VREL_PASS_ON(int, rename, (const char* a, const char* b), (a, b))
VREL_PASS_ON(int, renameat2, (int f, const char* a, int t, const char* b, unsigned w),
             (f, a, t, b, w))
VREL_PASS_ON(int, link, (const char* a, const char* b), (a, b))
VREL_PASS_ON(int, linkat, (int f, const char* a, int t, const char* b, int w), (f, a, t, b, w))
VREL_PASS_ON(int, chmod, (const char* p, mode_t m), (p, m))
VREL_PASS_ON(int, fchmodat, (int d, const char* p, mode_t m, int f), (d, p, m, f))
VREL_PASS_ON(int, truncate, (const char* p, off_t s), (p, s))
VREL_PASS_ON(FILE*, fopen, (const char* p, const char* m), (p, m))
VREL_PASS_ON(FILE*, fopen64, (const char* p, const char* m), (p, m))
VREL_PASS_ON(size_t, fwrite, (const void* d, size_t s, size_t n, FILE* f), (d, s, n, f))
VREL_PASS_ON(int, fputs, (const char* s, FILE* f), (s, f))
VREL_PASS_ON(int, fsync, (int f), (f))

extern "C" int open(const char* path, int flags, ...) {
    static const auto real =
        reinterpret_cast<int (*)(const char*, int, ...)>(dlsym(RTLD_NEXT, "open"));
    va_list more;
    va_start(more, flags);
    const auto mode =
        (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE ? va_arg(more, unsigned) : 0u;
    va_end(more);
    if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) {
        Step();
    }
    return real(path, flags, mode);
}
