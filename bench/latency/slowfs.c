/* A file server in a shim: every open, read, stat and directory read of a path under
 * QEL_SLOW_DIR (or of a handle opened from one) waits QEL_SLOW_US microseconds first
 * (default 1000), as a round trip to a server would. With QEL_STALL set to a text, reads
 * of files whose path contains it wait QEL_STALL_US microseconds instead (a server that
 * stops answering) while the file QEL_STALL_FLAG exists (always, without one). Only files
 * opened for reading stall: the viewer's own. Loaded with LD_PRELOAD by bench/latency.sh. */
#define _GNU_SOURCE
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#define MAX_FDS 65536
static unsigned char slow_fd[MAX_FDS]; /* 1: slow, 2: stalled */

static const char *slow_dir(void)
{
    static const char *dir;
    static int known;
    if (!known) {
        dir = getenv("QEL_SLOW_DIR");
        known = 1;
    }
    return dir && *dir ? dir : NULL;
}

static long env_long(const char *name, long fallback)
{
    const char *v = getenv(name);
    return v && *v ? atol(v) : fallback;
}

static void wait_us(long us)
{
    if (us <= 0)
        return;
    struct timespec t = {us / 1000000, (us % 1000000) * 1000};
    while (nanosleep(&t, &t) != 0) {
    }
}

static int is_slow_path(int dirfd, const char *path)
{
    const char *dir = slow_dir();
    if (!dir || !path)
        return 0;
    if (path[0] != '/')
        return dirfd >= 0 && dirfd < MAX_FDS && slow_fd[dirfd];
    return strncmp(path, dir, strlen(dir)) == 0;
}

static int stall_kind(const char *path, int flags)
{
    const char *stall = getenv("QEL_STALL");
    const char *flag = getenv("QEL_STALL_FLAG");
    if (!stall || !*stall || !path || !strstr(path, stall) || (flags & O_ACCMODE) != O_RDONLY)
        return 1;
    return !flag || !*flag || access(flag, F_OK) == 0 ? 2 : 1;
}

static void note_fd(int fd, int dirfd, const char *path, int flags)
{
    if (fd >= 0 && fd < MAX_FDS)
        slow_fd[fd] = is_slow_path(dirfd, path) ? (unsigned char)stall_kind(path, flags) : 0;
}

static void delay_fd(int fd)
{
    if (fd < 0 || fd >= MAX_FDS || !slow_fd[fd])
        return;
    wait_us(slow_fd[fd] == 2 ? env_long("QEL_STALL_US", 60000000) : env_long("QEL_SLOW_US", 1000));
}

static void delay_path(int dirfd, const char *path)
{
    if (is_slow_path(dirfd, path))
        wait_us(env_long("QEL_SLOW_US", 1000));
}

#define REAL(name) static __typeof__(&name) real_##name; if (!real_##name) real_##name = (__typeof__(&name))dlsym(RTLD_NEXT, #name)

int open(const char *path, int flags, ...)
{
    REAL(open);
    mode_t mode = 0;
    if (flags & (O_CREAT | O_TMPFILE)) {
        va_list ap;
        va_start(ap, flags);
        mode = va_arg(ap, mode_t);
        va_end(ap);
    }
    delay_path(AT_FDCWD, path);
    int fd = real_open(path, flags, mode);
    note_fd(fd, AT_FDCWD, path, flags);
    return fd;
}
int open64(const char *path, int flags, ...) __attribute__((alias("open")));

int openat(int dirfd, const char *path, int flags, ...)
{
    REAL(openat);
    mode_t mode = 0;
    if (flags & (O_CREAT | O_TMPFILE)) {
        va_list ap;
        va_start(ap, flags);
        mode = va_arg(ap, mode_t);
        va_end(ap);
    }
    delay_path(dirfd, path);
    int fd = real_openat(dirfd, path, flags, mode);
    note_fd(fd, dirfd, path, flags);
    return fd;
}
int openat64(int dirfd, const char *path, int flags, ...) __attribute__((alias("openat")));

ssize_t read(int fd, void *buf, size_t count)
{
    REAL(read);
    delay_fd(fd);
    return real_read(fd, buf, count);
}

int close(int fd)
{
    REAL(close);
    if (fd >= 0 && fd < MAX_FDS)
        slow_fd[fd] = 0;
    return real_close(fd);
}

int fstat(int fd, struct stat *st)
{
    REAL(fstat);
    delay_fd(fd);
    return real_fstat(fd, st);
}
int fstat64(int fd, struct stat64 *st) __attribute__((alias("fstat")));

int fstatat(int dirfd, const char *path, struct stat *st, int flags)
{
    REAL(fstatat);
    delay_path(dirfd, path);
    return real_fstatat(dirfd, path, st, flags);
}
int fstatat64(int dirfd, const char *path, struct stat64 *st, int flags) __attribute__((alias("fstatat")));

int stat(const char *path, struct stat *st)
{
    REAL(stat);
    delay_path(AT_FDCWD, path);
    return real_stat(path, st);
}
int stat64(const char *path, struct stat64 *st) __attribute__((alias("stat")));

int lstat(const char *path, struct stat *st)
{
    REAL(lstat);
    delay_path(AT_FDCWD, path);
    return real_lstat(path, st);
}
int lstat64(const char *path, struct stat64 *st) __attribute__((alias("lstat")));

int statx(int dirfd, const char *path, int flags, unsigned int mask, struct statx *st)
{
    REAL(statx);
    if (path[0])
        delay_path(dirfd, path);
    else
        delay_fd(dirfd);
    return real_statx(dirfd, path, flags, mask, st);
}

DIR *opendir(const char *path)
{
    REAL(opendir);
    delay_path(AT_FDCWD, path);
    DIR *d = real_opendir(path);
    if (d)
        note_fd(dirfd(d), AT_FDCWD, path, O_RDONLY | O_DIRECTORY);
    return d;
}

/* One round trip per call of the system's getdents, which fills a 32 KiB buffer: a wait
 * every 64 entries comes close enough. */
struct dirent *readdir(DIR *d)
{
    REAL(readdir);
    static __thread unsigned long entries;
    if ((entries++ % 64) == 0)
        delay_fd(dirfd(d));
    return real_readdir(d);
}
struct dirent64 *readdir64(DIR *d) __attribute__((alias("readdir")));

int closedir(DIR *d)
{
    REAL(closedir);
    int fd = dirfd(d);
    if (fd >= 0 && fd < MAX_FDS)
        slow_fd[fd] = 0;
    return real_closedir(d);
}
