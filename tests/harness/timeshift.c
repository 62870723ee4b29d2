/* The tests' clock: a preload library for Wine that shifts the realtime
 * clock by an offset in nanoseconds read from the file named by
 * TOCKMERE_CLOCK_FILE. Tests rewrite the file to move the program's clock
 * while it runs. The monotonic clock is left alone, so timers keep real time.
 *
 * Built for the Wine that runs the tests: Debian's i386 Wine reads the time
 * through glibc's 64-bit-time entry points (__clock_gettime64,
 * __gettimeofday64), its x86_64 Wine through clock_gettime, gettimeofday
 * and time. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#if defined(__x86_64__)
#define CLOCK_GETTIME_NAME "clock_gettime"
#define GETTIMEOFDAY_NAME "gettimeofday"
struct shifted_timespec {
    int64_t tv_sec;
    long tv_nsec;
};
#else
#define CLOCK_GETTIME_NAME "__clock_gettime64"
#define GETTIMEOFDAY_NAME "__gettimeofday64"
struct shifted_timespec {
    int64_t tv_sec;
    int32_t tv_nsec;
    int32_t pad;
};
#endif
struct shifted_timeval {
    int64_t tv_sec;
    int64_t tv_usec;
};

typedef int (*clock_gettime_fn)(clockid_t, struct shifted_timespec *);
typedef int (*gettimeofday_fn)(struct shifted_timeval *, void *);

static int64_t cachedOffset;
static int64_t cachedAt = INT64_MIN;

static clock_gettime_fn realClockGettime(void)
{
    static clock_gettime_fn fn;
    if (!fn)
        fn = (clock_gettime_fn)dlsym(RTLD_NEXT, CLOCK_GETTIME_NAME);
    return fn;
}

static int64_t monotonicNanoseconds(void)
{
    struct shifted_timespec ts;
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

static int shiftedClockGettime(clockid_t clock, struct shifted_timespec *ts)
{
    int rc = realClockGettime()(clock, ts);
    if (rc == 0 && (clock == CLOCK_REALTIME || clock == CLOCK_REALTIME_COARSE)) {
        int64_t total = ts->tv_sec * 1000000000LL + ts->tv_nsec + offsetNanoseconds();
        int64_t nanoseconds = total % 1000000000LL;
        ts->tv_sec = total / 1000000000LL;
        if (nanoseconds < 0) {
            nanoseconds += 1000000000LL;
            ts->tv_sec -= 1;
        }
        ts->tv_nsec = nanoseconds;
    }
    return rc;
}

static int shiftedGettimeofday(struct shifted_timeval *tv, void *tz)
{
    static gettimeofday_fn real;
    if (!real)
        real = (gettimeofday_fn)dlsym(RTLD_NEXT, GETTIMEOFDAY_NAME);
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

#if defined(__x86_64__)
int clock_gettime(clockid_t clock, struct timespec *ts)
{
    return shiftedClockGettime(clock, (struct shifted_timespec *)ts);
}

int gettimeofday(struct timeval *tv, void *tz)
{
    return shiftedGettimeofday((struct shifted_timeval *)tv, tz);
}

time_t time(time_t *result)
{
    struct shifted_timespec ts;
    time_t now = shiftedClockGettime(CLOCK_REALTIME, &ts) == 0 ? (time_t)ts.tv_sec : (time_t)-1;
    if (result)
        *result = now;
    return now;
}
#else
int __clock_gettime64(clockid_t clock, struct shifted_timespec *ts)
{
    return shiftedClockGettime(clock, ts);
}

int __gettimeofday64(struct shifted_timeval *tv, void *tz)
{
    return shiftedGettimeofday(tv, tz);
}
#endif
