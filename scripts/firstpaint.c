/* Starts a program and prints how many milliseconds pass from its exec until text is painted on
 * the X display in $DISPLAY.
 *
 * Usage: firstpaint PROGRAM [ARGS...]
 * Prints "<wall ms> <cpu ms>" on stdout (the program's user and system time up to that point,
 * its threads included) and kills the program.
 *
 * The display must be empty (no window manager, no other client), so every program is judged by
 * the same pixels. Each new top-level window is watched with the DAMAGE extension; whenever
 * something was drawn into it, the window is read back. Text counts as painted when a window is
 * not uniform: at least MIN_MINORITY sampled pixels differ from its most common colour. A window
 * that is only mapped, or filled with its background, is uniform; Qt and GTK both paint a frame
 * whole (background, pictures and text in one flush), so the first non-uniform frame is the first
 * frame with text. Reading only after drawing keeps the X server free for the program measured.
 *
 * The time taken is the moment the notice of the drawing arrived, not the moment the reading back
 * ended: reading a window back is the judge's own work, and it grows with the window (through the
 * X connection, a 640x500 window took 14 ms to read and a 480x160 one 3 ms). Windows are read
 * through shared memory where the server offers it (MIT-SHM), into one segment made and touched
 * before the program starts, so a reading back delays a notice that comes meanwhile by about a
 * millisecond (a 390x488 window) rather than by several. */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/Xdamage.h>

#include <fcntl.h>
#include <poll.h>

#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ipc.h>
#include <sys/resource.h>
#include <sys/shm.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

enum { STEP = 2, MIN_MINORITY = 40, TIMEOUT_MS = 20000, BUCKETS = 4096 };

static double nowMs(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

/* Sampled pixels that differ from the most common colour of the image. */
static long minorityPixels(const XImage *img)
{
    static uint32_t keys[BUCKETS];
    static long counts[BUCKETS];
    memset(counts, 0, sizeof counts);
    long sampled = 0, top = 0;
    for (int y = 0; y < img->height; y += STEP) {
        const uint32_t *row = (const uint32_t *)(img->data + (long)y * img->bytes_per_line);
        for (int x = 0; x < img->width; x += STEP) {
            const uint32_t px = row[x] & 0xffffff;
            ++sampled;
            /* Open addressing with a bounded probe: a colour that finds no slot (pictures hold
             * thousands) is simply not the most common one. */
            unsigned h = (px * 2654435761u) >> 20;
            for (int probe = 0; probe < 64; ++probe, ++h) {
                const unsigned b = h % BUCKETS;
                if (counts[b] && keys[b] != px)
                    continue;
                keys[b] = px;
                if (++counts[b] > top)
                    top = counts[b];
                break;
            }
        }
    }
    return sampled - top;
}

/* A shared memory image as large as the screen, read into by the server; NULL without MIT-SHM. */
static XImage *g_shared;
static XShmSegmentInfo g_segment;
static int g_shmFailed;

static int noteShmFailure(Display *dpy, XErrorEvent *e)
{
    (void)dpy;
    (void)e;
    g_shmFailed = 1;
    return 0;
}

static void prepareSharedImage(Display *dpy)
{
    if (!XShmQueryExtension(dpy))
        return;
    const int screen = DefaultScreen(dpy);
    XImage *img = XShmCreateImage(dpy, DefaultVisual(dpy, screen), DefaultDepth(dpy, screen), ZPixmap, NULL,
                                  &g_segment, DisplayWidth(dpy, screen), DisplayHeight(dpy, screen));
    if (!img)
        return;
    g_segment.shmid = shmget(IPC_PRIVATE, (size_t)img->bytes_per_line * img->height, IPC_CREAT | 0600);
    if (g_segment.shmid < 0) {
        XDestroyImage(img);
        return;
    }
    g_segment.shmaddr = img->data = shmat(g_segment.shmid, NULL, 0);
    shmctl(g_segment.shmid, IPC_RMID, NULL); /* gone once both sides have let go of it */
    if (g_segment.shmaddr == (char *)-1) {
        img->data = NULL;
        XDestroyImage(img);
        return;
    }
    memset(img->data, 0, (size_t)img->bytes_per_line * img->height); /* every page in before the run */
    g_segment.readOnly = False;
    int (*previous)(Display *, XErrorEvent *) = XSetErrorHandler(noteShmFailure);
    XShmAttach(dpy, &g_segment);
    XSync(dpy, False);
    XSetErrorHandler(previous);
    if (g_shmFailed) { /* a server on another machine cannot share memory */
        shmdt(g_segment.shmaddr);
        img->data = NULL;
        XDestroyImage(img);
        return;
    }
    /* The server's side of the segment is brought in too, by one reading of the whole screen. */
    XShmGetImage(dpy, DefaultRootWindow(dpy), img, 0, 0, AllPlanes);
    g_shared = img;
}

/* The count of minority pixels of one window (0 when it cannot be read). */
static long windowText(Display *dpy, Window w)
{
    XWindowAttributes a;
    if (!XGetWindowAttributes(dpy, w, &a) || a.map_state != IsViewable || a.width < 8 || a.height < 8)
        return 0;
    if (g_shared && a.depth == g_shared->depth && a.width <= DisplayWidth(dpy, DefaultScreen(dpy)) &&
        a.height <= DisplayHeight(dpy, DefaultScreen(dpy))) {
        /* The server writes the rectangle's rows one after another. */
        g_shared->width = a.width;
        g_shared->height = a.height;
        g_shared->bytes_per_line = a.width * (g_shared->bits_per_pixel / 8);
        if (XShmGetImage(dpy, w, g_shared, 0, 0, AllPlanes))
            return g_shared->bits_per_pixel == 32 ? minorityPixels(g_shared) : 0;
    }
    XImage *img = XGetImage(dpy, w, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
    if (!img)
        return 0;
    const long m = img->bits_per_pixel == 32 ? minorityPixels(img) : 0;
    XDestroyImage(img);
    return m;
}

static int ignoreErrors(Display *dpy, XErrorEvent *e)
{
    (void)dpy;
    (void)e;
    return 0; /* a window may vanish between listing and reading it */
}

int main(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: %s PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    Display *dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "firstpaint: no X display\n");
        return 2;
    }
    fcntl(ConnectionNumber(dpy), F_SETFD, FD_CLOEXEC);
    XSetErrorHandler(ignoreErrors);
    int damageEvent, damageError;
    if (!XDamageQueryExtension(dpy, &damageEvent, &damageError)) {
        fprintf(stderr, "firstpaint: the X server has no DAMAGE extension\n");
        return 2;
    }
    const Window root = DefaultRootWindow(dpy);
    Window rootReturn, parent, *children = NULL;
    unsigned existing = 0;
    XQueryTree(dpy, root, &rootReturn, &parent, &children, &existing);
    if (children)
        XFree(children);
    if (existing > 0) {
        fprintf(stderr, "firstpaint: the display is not empty; stop other clients first\n");
        return 2;
    }
    prepareSharedImage(dpy);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, False);

    const double start = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    double elapsed = -1;
    while (elapsed < 0) {
        if (waitpid(child, NULL, WNOHANG) == child || nowMs() - start > TIMEOUT_MS)
            break;
        if (!XPending(dpy)) {
            struct pollfd pfd = {ConnectionNumber(dpy), POLLIN, 0};
            poll(&pfd, 1, 50);
            continue;
        }
        XEvent e;
        XNextEvent(dpy, &e);
        const double arrived = nowMs() - start;
        if (e.type == CreateNotify && e.xcreatewindow.parent == root) {
            XDamageCreate(dpy, e.xcreatewindow.window, XDamageReportNonEmpty);
        } else if (e.type == damageEvent + XDamageNotify) {
            const XDamageNotifyEvent *d = (const XDamageNotifyEvent *)&e;
            XDamageSubtract(dpy, d->damage, None, None);
            const long minority = windowText(dpy, d->drawable);
            if (getenv("FIRSTPAINT_DEBUG"))
                fprintf(stderr, "%.1f ms: %ld (read back by %.1f ms)\n", arrived, minority, nowMs() - start);
            if (minority >= MIN_MINORITY)
                elapsed = arrived;
        }
    }
    kill(child, SIGKILL);
    struct rusage usage;
    memset(&usage, 0, sizeof usage);
    wait4(child, NULL, 0, &usage);
    const double cpu = usage.ru_utime.tv_sec * 1e3 + usage.ru_utime.tv_usec / 1e3 +
                       usage.ru_stime.tv_sec * 1e3 + usage.ru_stime.tv_usec / 1e3;
    XCloseDisplay(dpy);
    if (elapsed < 0) {
        fprintf(stderr, "firstpaint: no text painted by %s\n", argv[1]);
        return 1;
    }
    printf("%.1f %.1f\n", elapsed, cpu);
    return 0;
}
