/* The tests' clock: a preload library for Wine that shifts the realtime
 * clock by an offset in nanoseconds read from the file named by
 * TOCKMERE_CLOCK_FILE, re-read at most every 20 ms, so tests move the
 * program's clock while it runs. The monotonic clock is left alone, so timers
 * keep real time. Debian's i386 Wine reads the time through glibc's 64-bit
 * time entry points, its x86_64 Wine through clock_gettime, gettimeofday and
 * time. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#if defined(__x86_64__)
#define CLOCK_GETTIME "clock_gettime"
#define GETTIMEOFDAY "gettimeofday"
struct shifted_timespec { int64_t sec; long nsec; };
#else
#define CLOCK_GETTIME "__clock_gettime64"
#define GETTIMEOFDAY "__gettimeofday64"
struct shifted_timespec { int64_t sec; int32_t nsec; int32_t pad; };
#endif
struct shifted_timeval { int64_t sec; int64_t usec; };

static int (*realClockGettime)(clockid_t, struct shifted_timespec *);
static int (*realGettimeofday)(struct shifted_timeval *, void *);

static int64_t offsetNanoseconds(void)
{
    static int64_t offset, readAt = INT64_MIN;
    struct shifted_timespec now;
    if (!realClockGettime)
        realClockGettime = dlsym(RTLD_NEXT, CLOCK_GETTIME);
    realClockGettime(CLOCK_MONOTONIC, &now);
    int64_t nowNs = now.sec * 1000000000LL + now.nsec;
    int64_t lastRead = __atomic_load_n(&readAt, __ATOMIC_ACQUIRE);
    if (lastRead != INT64_MIN && nowNs - lastRead < 20000000LL)
        return __atomic_load_n(&offset, __ATOMIC_ACQUIRE);
    /* Read into a local: the other threads go on with the old offset meanwhile
     * (a 0 seen by a thread between its two reads of the time in one Sleep
     * makes that Sleep last as long as the offset, as Wine's sound thread's). */
    int64_t fresh = 0;
    const char *path = getenv("TOCKMERE_CLOCK_FILE");
    int fd = path ? open(path, O_RDONLY) : -1;
    if (fd >= 0) {
        char text[64];
        ssize_t n = read(fd, text, sizeof text - 1);
        close(fd);
        text[n > 0 ? n : 0] = 0;
        fresh = strtoll(text, NULL, 10);
    }
    __atomic_store_n(&offset, fresh, __ATOMIC_RELEASE);
    __atomic_store_n(&readAt, nowNs, __ATOMIC_RELEASE);
    return fresh;
}

static int shiftedClockGettime(clockid_t clock, struct shifted_timespec *ts)
{
    int64_t offset = offsetNanoseconds();
    int rc = realClockGettime(clock, ts);
    if (rc == 0 && (clock == CLOCK_REALTIME || clock == CLOCK_REALTIME_COARSE)) {
        int64_t total = ts->sec * 1000000000LL + ts->nsec + offset;
        ts->sec = total / 1000000000LL - (total % 1000000000LL < 0);
        ts->nsec = total - ts->sec * 1000000000LL;
    }
    return rc;
}

static int shiftedGettimeofday(struct shifted_timeval *tv, void *tz)
{
    int64_t offset = offsetNanoseconds() / 1000;
    if (!realGettimeofday)
        realGettimeofday = dlsym(RTLD_NEXT, GETTIMEOFDAY);
    int rc = realGettimeofday(tv, tz);
    if (rc == 0 && tv) {
        int64_t total = tv->sec * 1000000LL + tv->usec + offset;
        tv->sec = total / 1000000LL - (total % 1000000LL < 0);
        tv->usec = total - tv->sec * 1000000LL;
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
    time_t now = shiftedClockGettime(CLOCK_REALTIME, &ts) == 0 ? (time_t)ts.sec : (time_t)-1;
    if (result)
        *result = now;
    return now;
}
#else
int __clock_gettime64(clockid_t clock, struct shifted_timespec *ts) { return shiftedClockGettime(clock, ts); }
int __gettimeofday64(struct shifted_timeval *tv, void *tz) { return shiftedGettimeofday(tv, tz); }
#endif
