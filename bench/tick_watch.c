/* Watches from outside when an X window is drawn. For every damage event on
 * the window it prints the realtime clock at which the X server reported it.
 * The face benchmark runs it beside the clocks under Xvfb: with seconds
 * shown every tick of the clock redraws the face, so the times of the
 * redraws, taken modulo one second, tell how long after the whole second
 * each tick's frame reached the screen. Nothing in the clock is changed.
 *   tick_watch SECONDS WINDOW_ID     (the display from DISPLAY)
 * Prints one line per event: Unix seconds with microseconds. */
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/select.h>
#include <time.h>

static double realtimeNow(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

int main(int argc, char **argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: tick_watch SECONDS WINDOW_ID\n");
        return 2;
    }
    double end = realtimeNow() + atof(argv[1]);
    Display *display = XOpenDisplay(NULL);
    int eventBase, errorBase;
    if (!display || !XDamageQueryExtension(display, &eventBase, &errorBase)) {
        fprintf(stderr, "tick_watch: no X display with the DAMAGE extension\n");
        return 1;
    }
    XDamageCreate(display, (Window)strtoul(argv[2], NULL, 0), XDamageReportRawRectangles);
    /* A new damage object reports the whole window once: not a redraw. */
    XSync(display, False);
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
    }
    int fd = ConnectionNumber(display);
    for (double now = realtimeNow(); now < end; now = realtimeNow()) {
        if (!XPending(display)) {
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(fd, &readable);
            struct timeval wait = {(time_t)(end - now), (long)((end - now - (time_t)(end - now)) * 1e6)};
            if (select(fd + 1, &readable, NULL, NULL, &wait) <= 0)
                continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == eventBase + XDamageNotify)
            printf("%.6f\n", realtimeNow());
    }
    XCloseDisplay(display);
    return 0;
}
