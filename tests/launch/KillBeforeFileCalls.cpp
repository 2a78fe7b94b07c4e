// Stands in front of the C library's calls that change files, for play_child: the N-th of them
// kills the process before it is made, as a crash at that very step would. Counted from the
// moment KillBeforeFileCall is set, so the sweep can go through every step in turn.
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>

#include <atomic>
#include <cstdarg>
#include <cstdio>

std::atomic<int> KillBeforeFileCall{-1};  // 1-based; -1 counts without killing, 0 stops counting
std::atomic<int> FileCalls{0};

namespace {

void Step() {
    const int at = KillBeforeFileCall.load();
    if (at != 0 && ++FileCalls == at) {
        raise(SIGKILL);
    }
}

template <class F>
F Real(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

}  // namespace

#define VREL_PASS_ON(ret, name, params, args)                \
    extern "C" ret name params {                             \
        static const auto real = Real<ret(*) params>(#name); \
        Step();                                              \
        return real args;                                    \
    }

VREL_PASS_ON(int, mkdir, (const char* p, mode_t m), (p, m))
VREL_PASS_ON(int, rmdir, (const char* p), (p))
VREL_PASS_ON(int, unlink, (const char* p), (p))
VREL_PASS_ON(int, remove, (const char* p), (p))
VREL_PASS_ON(int, rename, (const char* a, const char* b), (a, b))
VREL_PASS_ON(int, renameat2, (int f, const char* a, int t, const char* b, unsigned int w),
             (f, a, t, b, w))
VREL_PASS_ON(int, link, (const char* a, const char* b), (a, b))
VREL_PASS_ON(int, chmod, (const char* p, mode_t m), (p, m))
VREL_PASS_ON(int, fchmodat, (int d, const char* p, mode_t m, int f), (d, p, m, f))
VREL_PASS_ON(int, truncate, (const char* p, off_t s), (p, s))
VREL_PASS_ON(FILE*, fopen, (const char* p, const char* m), (p, m))
VREL_PASS_ON(FILE*, fopen64, (const char* p, const char* m), (p, m))
VREL_PASS_ON(size_t, fwrite, (const void* d, size_t s, size_t n, FILE* f), (d, s, n, f))
VREL_PASS_ON(int, fputs, (const char* s, FILE* f), (s, f))
VREL_PASS_ON(int, fsync, (int f), (f))

extern "C" int open(const char* path, int flags, ...) {
    static const auto real = Real<int (*)(const char*, int, ...)>("open");
    mode_t mode = 0;
    if ((flags & O_CREAT) != 0) {
        va_list more;
        va_start(more, flags);
        mode = static_cast<mode_t>(va_arg(more, unsigned int));
        va_end(more);
        Step();
    }
    return real(path, flags, mode);
}
