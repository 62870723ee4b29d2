/* The tests' clock: an i386 preload library for Wine that shifts the
 * realtime clock by an offset in nanoseconds read from the file named by
 * TOCKMERE_CLOCK_FILE. Tests rewrite the file to move the program's clock
 * while it runs. The monotonic clock is left alone, so timers keep real time.
 *
 * Debian's i386 Wine reads the time through the 64-bit-time entry points of
 * glibc, so those are the ones replaced here. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

struct timespec64 {
    int64_t tv_sec;
    int32_t tv_nsec;
    int32_t pad;
};
struct timeval64 {
    int64_t tv_sec;
    int64_t tv_usec;
};

typedef int (*clock_gettime64_fn)(clockid_t, struct timespec64 *);
typedef int (*gettimeofday64_fn)(struct timeval64 *, void *);

static int64_t cachedOffset;
static int64_t cachedAt = INT64_MIN;

static clock_gettime64_fn realClockGettime(void)
{
    static clock_gettime64_fn fn;
    if (!fn)
        fn = (clock_gettime64_fn)dlsym(RTLD_NEXT, "__clock_gettime64");
    return fn;
}

static int64_t monotonicNanoseconds(void)
{
    struct timespec64 ts;
    if (realClockGettime()(CLOCK_MONOTONIC, &ts) != 0)
        return 0;
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

/* The file is read again at most every 20 ms of real time. */
static int64_t offsetNanoseconds(void)
{
    int64_t now = monotonicNanoseconds();
    if (cachedAt != INT64_MIN && now - cachedAt < 20000000LL)
        return cachedOffset;
    cachedAt = now;
    cachedOffset = 0;
    const char *path = getenv("TOCKMERE_CLOCK_FILE");
    if (!path)
        return 0;
    int fd = open(path, O_RDONLY);
    if (fd < 0)
        return 0;
    char text[64];
    ssize_t n = read(fd, text, sizeof text - 1);
    close(fd);
    if (n <= 0)
        return 0;
    text[n] = 0;
    cachedOffset = strtoll(text, NULL, 10);
    return cachedOffset;
}

int __clock_gettime64(clockid_t clock, struct timespec64 *ts)
{
    int rc = realClockGettime()(clock, ts);
    if (rc == 0 && (clock == CLOCK_REALTIME || clock == CLOCK_REALTIME_COARSE)) {
        int64_t total = ts->tv_sec * 1000000000LL + ts->tv_nsec + offsetNanoseconds();
        ts->tv_sec = total / 1000000000LL;
        ts->tv_nsec = (int32_t)(total % 1000000000LL);
        if (ts->tv_nsec < 0) {
            ts->tv_nsec += 1000000000;
            ts->tv_sec -= 1;
        }
    }
    return rc;
}

int __gettimeofday64(struct timeval64 *tv, void *tz)
{
    static gettimeofday64_fn real;
    if (!real)
        real = (gettimeofday64_fn)dlsym(RTLD_NEXT, "__gettimeofday64");
    int rc = real(tv, tz);
    if (rc == 0 && tv) {
        int64_t total = tv->tv_sec * 1000000LL + tv->tv_usec + offsetNanoseconds() / 1000;
        tv->tv_sec = total / 1000000LL;
        tv->tv_usec = total % 1000000LL;
        if (tv->tv_usec < 0) {
            tv->tv_usec += 1000000;
            tv->tv_sec -= 1;
        }
    }
    return rc;
}
