/* A stand-in for a mount that stopped answering, for any user, root
 * included: preloaded into a program, it makes every file-system call on a
 * path under $VARNEL_HANG_DIR wait $VARNEL_HANG_SECONDS seconds (fractions
 * allowed; 0 or unset: forever) before doing the real call, as calls on a
 * dead network share wait for its time-out, or for ever on a hard mount.
 *   LD_PRELOAD=bench/libhang_fs.so VARNEL_HANG_DIR=/some/dir VARNEL_HANG_SECONDS=5 PROGRAM
 * With $VARNEL_HANG_LOG naming a file, each call that waits appends a line
 * "CALL PATH" to it, to check which calls a program makes.
 *
 * The calls covered are those through which glibc 2.36 and Qt 6.4 reach a
 * file by its name: strace -f of Varnel showing, opening and taking drops
 * of such paths finds access, statx, newfstatat and openat on them, which
 * Qt makes through access, statx, stat64 and open64. Covered: the stat
 * family and statx, access, open and fopen in every spelling, opendir,
 * readlink, realpath, statvfs and statfs, the xattr getters; and fstat of a
 * descriptor opened there, which on a dead share waits again.
 * A path counts as under the directory by its spelling (relative paths and
 * *at() calls are joined to the working directory or the directory of the
 * descriptor); symbolic links into it are not followed. */
#define _GNU_SOURCE
#undef _FORTIFY_SOURCE
#include <dirent.h>
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <time.h>
#include <unistd.h>

/* Declared by glibc's headers only when fortified. */
int __open_2(const char* path, int flags);
int __open64_2(const char* path, int flags);
int __openat_2(int dirfd, const char* path, int flags);
int __openat64_2(int dirfd, const char* path, int flags);

static char hang_dir[PATH_MAX];
static size_t hang_length;
static double hang_seconds;
static int log_fd = -1;

__attribute__((constructor)) static void hang_fs_init(void) {
    const char* dir = getenv("VARNEL_HANG_DIR");
    const char* seconds = getenv("VARNEL_HANG_SECONDS");
    const char* log = getenv("VARNEL_HANG_LOG");
    if (!dir || dir[0] != '/' || strlen(dir) >= sizeof hang_dir)
        return;
    strcpy(hang_dir, dir);
    hang_length = strlen(hang_dir);
    while (hang_length > 1 && hang_dir[hang_length - 1] == '/')
        hang_dir[--hang_length] = '\0';
    hang_seconds = seconds ? strtod(seconds, NULL) : 0;
    if (log)
        log_fd = (int)syscall(SYS_openat, AT_FDCWD, log, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC,
                              0644);
}

static int spelled_under(const char* path) {
    return strncmp(path, hang_dir, hang_length) == 0 &&
           (path[hang_length] == '/' || path[hang_length] == '\0');
}

/* The path a descriptor was opened with, from /proc, without a call that
 * this library itself stands in for. */
static int descriptor_path(int fd, char* out, size_t size) {
    char link[64];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const long length = syscall(SYS_readlinkat, AT_FDCWD, link, out, size - 1);
    if (length <= 0)
        return 0;
    out[length] = '\0';
    return 1;
}

/* Whether PATH, taken relative to DIRFD as the *at() calls take it, lies
 * under the hanging directory. */
static int under_at(int dirfd, const char* path) {
    char base[PATH_MAX], joined[2 * PATH_MAX + 2];
    if (hang_length == 0 || !path)
        return 0;
    if (path[0] == '/')
        return spelled_under(path);
    if (dirfd == AT_FDCWD) {
        if (!getcwd(base, sizeof base))
            return 0;
    } else if (!descriptor_path(dirfd, base, sizeof base)) {
        return 0;
    }
    snprintf(joined, sizeof joined, "%s%s%s", base, path[0] ? "/" : "", path);
    return spelled_under(joined);
}

static int under(const char* path) {
    return under_at(AT_FDCWD, path);
}

static int fd_under(int fd) {
    char path[PATH_MAX];
    return hang_length != 0 && descriptor_path(fd, path, sizeof path) && spelled_under(path);
}

static void hang(const char* call, const char* path) {
    const int saved = errno;
    if (log_fd >= 0) {
        char line[PATH_MAX + 64];
        const int length = snprintf(line, sizeof line, "%s %s\n", call, path);
        if (length > 0)
            (void)!syscall(SYS_write, log_fd, line, (size_t)length);
    }
    if (hang_seconds <= 0) {
        for (;;)
            sleep(3600);
    }
    struct timespec left = {(time_t)hang_seconds,
                            (long)((hang_seconds - (double)(time_t)hang_seconds) * 1e9)};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
    errno = saved;
}

static void fd_hang(const char* call, int fd) {
    char path[PATH_MAX];
    if (descriptor_path(fd, path, sizeof path))
        hang(call, path);
}

/* The next definition of NAME, that is, glibc's. */
#define REAL(name)                        \
    static __typeof__(name)* real_##name; \
    if (!real_##name)                     \
    *(void**)(&real_##name) = dlsym(RTLD_NEXT, #name)

#define BY_PATH(name, path, params, args) \
    int name params {                     \
        REAL(name);                       \
        if (under(path))                  \
            hang(#name, path);            \
        return real_##name args;          \
    }

#define BY_PATH_AT(name, dirfd, path, params, args) \
    int name params {                               \
        REAL(name);                                 \
        if (under_at(dirfd, path))                  \
            hang(#name, path);                      \
        return real_##name args;                    \
    }

#define BY_FD(name, fd, params, args) \
    int name params {                 \
        REAL(name);                   \
        if (fd_under(fd))             \
            fd_hang(#name, fd);       \
        return real_##name args;      \
    }

BY_PATH(stat, path, (const char* path, struct stat* buf), (path, buf))
BY_PATH(stat64, path, (const char* path, struct stat64* buf), (path, buf))
BY_PATH(lstat, path, (const char* path, struct stat* buf), (path, buf))
BY_PATH(lstat64, path, (const char* path, struct stat64* buf), (path, buf))
BY_PATH_AT(fstatat, dirfd, path, (int dirfd, const char* path, struct stat* buf, int flags),
           (dirfd, path, buf, flags))
BY_PATH_AT(fstatat64, dirfd, path, (int dirfd, const char* path, struct stat64* buf, int flags),
           (dirfd, path, buf, flags))
BY_PATH_AT(statx, dirfd, path,
           (int dirfd, const char* path, int flags, unsigned mask, struct statx* buf),
           (dirfd, path, flags, mask, buf))
BY_FD(fstat, fd, (int fd, struct stat* buf), (fd, buf))
BY_FD(fstat64, fd, (int fd, struct stat64* buf), (fd, buf))

BY_PATH(access, path, (const char* path, int mode), (path, mode))
BY_PATH(euidaccess, path, (const char* path, int mode), (path, mode))
BY_PATH(eaccess, path, (const char* path, int mode), (path, mode))
BY_PATH_AT(faccessat, dirfd, path, (int dirfd, const char* path, int mode, int flags),
           (dirfd, path, mode, flags))

BY_PATH(statfs, path, (const char* path, struct statfs* buf), (path, buf))
BY_PATH(statfs64, path, (const char* path, struct statfs64* buf), (path, buf))
BY_PATH(statvfs, path, (const char* path, struct statvfs* buf), (path, buf))
BY_PATH(statvfs64, path, (const char* path, struct statvfs64* buf), (path, buf))

/* open and its kin take a mode only when they create. */
static mode_t mode_argument(int flags, va_list args) {
    return (flags & (O_CREAT | O_TMPFILE)) ? va_arg(args, mode_t) : 0;
}

#define OPEN(name)                                      \
    int name(const char* path, int flags, ...) {        \
        va_list args;                                   \
        va_start(args, flags);                          \
        const mode_t mode = mode_argument(flags, args); \
        va_end(args);                                   \
        REAL(name);                                     \
        if (under(path))                                \
            hang(#name, path);                          \
        return real_##name(path, flags, mode);          \
    }

#define OPEN_AT(name)                                       \
    int name(int dirfd, const char* path, int flags, ...) { \
        va_list args;                                       \
        va_start(args, flags);                              \
        const mode_t mode = mode_argument(flags, args);     \
        va_end(args);                                       \
        REAL(name);                                         \
        if (under_at(dirfd, path))                          \
            hang(#name, path);                              \
        return real_##name(dirfd, path, flags, mode);       \
    }

OPEN(open)
OPEN(open64)
OPEN_AT(openat)
OPEN_AT(openat64)
BY_PATH(__open_2, path, (const char* path, int flags), (path, flags))
BY_PATH(__open64_2, path, (const char* path, int flags), (path, flags))
BY_PATH_AT(__openat_2, dirfd, path, (int dirfd, const char* path, int flags), (dirfd, path, flags))
BY_PATH_AT(__openat64_2, dirfd, path, (int dirfd, const char* path, int flags),
           (dirfd, path, flags))
BY_PATH(creat, path, (const char* path, mode_t mode), (path, mode))
BY_PATH(creat64, path, (const char* path, mode_t mode), (path, mode))

FILE* fopen(const char* path, const char* mode) {
    REAL(fopen);
    if (under(path))
        hang("fopen", path);
    return real_fopen(path, mode);
}

FILE* fopen64(const char* path, const char* mode) {
    REAL(fopen64);
    if (under(path))
        hang("fopen64", path);
    return real_fopen64(path, mode);
}

DIR* opendir(const char* path) {
    REAL(opendir);
    if (under(path))
        hang("opendir", path);
    return real_opendir(path);
}

DIR* fdopendir(int fd) {
    REAL(fdopendir);
    if (fd_under(fd))
        fd_hang("fdopendir", fd);
    return real_fdopendir(fd);
}

ssize_t readlink(const char* path, char* buf, size_t size) {
    REAL(readlink);
    if (under(path))
        hang("readlink", path);
    return real_readlink(path, buf, size);
}

ssize_t readlinkat(int dirfd, const char* path, char* buf, size_t size) {
    REAL(readlinkat);
    if (under_at(dirfd, path))
        hang("readlinkat", path);
    return real_readlinkat(dirfd, path, buf, size);
}

char* realpath(const char* path, char* resolved) {
    REAL(realpath);
    if (under(path))
        hang("realpath", path);
    return real_realpath(path, resolved);
}

char* canonicalize_file_name(const char* path) {
    REAL(canonicalize_file_name);
    if (under(path))
        hang("canonicalize_file_name", path);
    return real_canonicalize_file_name(path);
}

#define XATTR_GET(name)                                                               \
    ssize_t name(const char* path, const char* attribute, void* value, size_t size) { \
        REAL(name);                                                                   \
        if (under(path))                                                              \
            hang(#name, path);                                                        \
        return real_##name(path, attribute, value, size);                             \
    }

#define XATTR_LIST(name)                                      \
    ssize_t name(const char* path, char* list, size_t size) { \
        REAL(name);                                           \
        if (under(path))                                      \
            hang(#name, path);                                \
        return real_##name(path, list, size);                 \
    }

XATTR_GET(getxattr)
XATTR_GET(lgetxattr)
XATTR_LIST(listxattr)
XATTR_LIST(llistxattr)
