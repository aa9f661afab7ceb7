// Times a program from process start to its first painted frame, from outside
// the program, and optionally types into the window and saves it as a PNG.
//
// This is a plain Xlib client, on purpose free of Qt, so that nothing it does
// can speed up or slow down the toolkit in the program it watches. Method:
//  1. The root window is filled with a marker colour (magenta) and the probe
//     selects SubstructureNotify on it, so it hears about every top-level
//     window that is mapped or moved.
//  2. The clock (CLOCK_MONOTONIC) starts immediately before posix_spawn.
//  3. When a top-level window of the child (_NET_WM_PID, override-redirect
//     windows skipped) is mapped, the probe samples the window's middle row
//     and middle column with XGetImage every millisecond. Qt creates its
//     windows without a background, so until the program draws, those pixels
//     still show the marker. The first sample where most of them differ is
//     the first painted frame. Resolution: the poll interval (1 ms) plus one
//     XGetImage round trip (well under a millisecond for a row and a column).
//  4. Afterwards the whole window is checksummed every few milliseconds for
//     the settle period; the last change seen is the "stable" time, which
//     catches a program that paints a first frame and then lays itself out
//     again.
//  5. The window is closed politely (WM_DELETE_WINDOW), as a user would, and
//     the child's peak resident set size comes from wait4's rusage.
//
// Usage:
//   x11_probe time [options] -- program [arguments]
//       prints: frame_ms=… stable_ms=… map_ms=… maxrss_kb=… width=… height=…
//   x11_probe shot --out file.png [--type digits] [options] -- program [arguments]
//       additionally gives the window the input focus, types the characters
//       (sent as key events to the window) and saves the window as a PNG.
// Options: --settle-ms N (default 500), --timeout-ms N (default 20000),
//          --log file (the child's stdout and stderr; default /dev/null).

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <zlib.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void SleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "x11_probe: %s\n", message.c_str());
    std::exit(2);
}

// A window can vanish between two requests; such errors are expected and only
// make the current sample invalid.
bool g_xError = false;
int IgnoreXError(Display*, XErrorEvent*) {
    g_xError = true;
    return 0;
}

struct Options {
    bool shot = false;
    std::string out;
    std::string type;
    std::string log = "/dev/null";
    int settleMs = 500;
    int timeoutMs = 20000;
    std::vector<char*> command;
};

int ParseInt(const char* text, const char* option) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 0 || value > 600000)
        Fail(std::string("bad value for ") + option + ": " + text);
    return static_cast<int>(value);
}

Options ParseArguments(int argc, char** argv) {
    if (argc < 2)
        Fail("usage: x11_probe time|shot [options] -- program [arguments]");
    Options options;
    const std::string mode = argv[1];
    if (mode == "shot")
        options.shot = true;
    else if (mode != "time")
        Fail("unknown mode " + mode);
    int i = 2;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") {
            ++i;
            break;
        }
        if (i + 1 >= argc)
            Fail("option " + arg + " needs a value");
        const char* value = argv[++i];
        if (arg == "--out")
            options.out = value;
        else if (arg == "--type")
            options.type = value;
        else if (arg == "--log")
            options.log = value;
        else if (arg == "--settle-ms")
            options.settleMs = ParseInt(value, "--settle-ms");
        else if (arg == "--timeout-ms")
            options.timeoutMs = ParseInt(value, "--timeout-ms");
        else
            Fail("unknown option " + arg);
    }
    for (; i < argc; ++i)
        options.command.push_back(argv[i]);
    if (options.command.empty())
        Fail("no program given after --");
    if (options.shot && options.out.empty())
        Fail("shot needs --out file.png");
    options.command.push_back(nullptr);
    return options;
}

pid_t Spawn(const Options& options) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, options.log.c_str(),
                                     O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    pid_t pid = 0;
    const int rc =
        posix_spawn(&pid, options.command[0], &actions, nullptr, options.command.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        Fail(std::string("cannot start ") + options.command[0] + ": " + std::strerror(rc));
    return pid;
}

struct Probe {
    Display* display = nullptr;
    Window root = 0;
    unsigned long marker = 0;
    Atom netWmPid = 0;
    Atom wmProtocols = 0;
    Atom wmDeleteWindow = 0;
};

Probe OpenProbe() {
    Probe probe;
    probe.display = XOpenDisplay(nullptr);
    if (probe.display == nullptr)
        Fail("cannot open the X display (is DISPLAY set?)");
    XSetErrorHandler(IgnoreXError);
    probe.root = DefaultRootWindow(probe.display);
    probe.netWmPid = XInternAtom(probe.display, "_NET_WM_PID", False);
    probe.wmProtocols = XInternAtom(probe.display, "WM_PROTOCOLS", False);
    probe.wmDeleteWindow = XInternAtom(probe.display, "WM_DELETE_WINDOW", False);

    XColor magenta{};
    magenta.red = 0xffff;
    magenta.green = 0;
    magenta.blue = 0xffff;
    if (XAllocColor(probe.display, DefaultColormap(probe.display, DefaultScreen(probe.display)),
                    &magenta) == 0)
        Fail("cannot allocate the marker colour");
    probe.marker = magenta.pixel;
    XSetWindowBackground(probe.display, probe.root, probe.marker);
    XClearWindow(probe.display, probe.root);
    XSelectInput(probe.display, probe.root, SubstructureNotifyMask);
    XSync(probe.display, False);
    return probe;
}

std::optional<long> WindowPid(const Probe& probe, Window window) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::optional<long> pid;
    if (XGetWindowProperty(probe.display, window, probe.netWmPid, 0, 1, False, XA_CARDINAL, &type,
                           &format, &count, &after, &data) == Success &&
        data != nullptr && format == 32 && count == 1)
        pid = *reinterpret_cast<long*>(data);
    if (data != nullptr)
        XFree(data);
    return pid;
}

struct Child {
    pid_t pid = 0;
    bool exited = false;
    int status = 0;
    rusage usage{};
};

bool Reap(Child& child, bool block) {
    if (child.exited)
        return true;
    const pid_t rc = wait4(child.pid, &child.status, block ? 0 : WNOHANG, &child.usage);
    if (rc == child.pid)
        child.exited = true;
    return child.exited;
}

bool WaitForXEvent(Display* display, int timeoutMs) {
    if (XPending(display) > 0)
        return true;
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    return poll(&fd, 1, timeoutMs) > 0;
}

// Waits for the child's main window to be mapped.
Window WaitForMap(const Probe& probe, Child& child, Clock::time_point start, int timeoutMs) {
    while (MillisecondsSince(start) < timeoutMs) {
        if (Reap(child, false))
            Fail("the program ended before it showed a window");
        if (!WaitForXEvent(probe.display, 5))
            continue;
        XEvent event;
        XNextEvent(probe.display, &event);
        if (event.type != MapNotify || event.xmap.event != probe.root ||
            event.xmap.override_redirect)
            continue;
        const Window window = event.xmap.window;
        const std::optional<long> pid = WindowPid(probe, window);
        if (!pid || *pid == child.pid)
            return window;
    }
    Fail("timed out waiting for the window");
}

struct Geometry {
    int width = 0;
    int height = 0;
};

Geometry WindowGeometry(Display* display, Window window) {
    XWindowAttributes attributes{};
    g_xError = false;
    if (XGetWindowAttributes(display, window, &attributes) == 0 || g_xError)
        return {};
    return {attributes.width, attributes.height};
}

// The share of pixels in a strip of the window that no longer show the marker;
// a negative result when the strip could not be read.
double PaintedShare(const Probe& probe, Window window, int x, int y, unsigned width,
                    unsigned height) {
    g_xError = false;
    XImage* image = XGetImage(probe.display, window, x, y, width, height, AllPlanes, ZPixmap);
    if (image == nullptr || g_xError) {
        if (image != nullptr)
            XDestroyImage(image);
        return -1;
    }
    unsigned long painted = 0;
    for (int row = 0; row < image->height; ++row)
        for (int column = 0; column < image->width; ++column)
            if (XGetPixel(image, column, row) != probe.marker)
                ++painted;
    const double share =
        static_cast<double>(painted) / static_cast<double>(image->width * image->height);
    XDestroyImage(image);
    return share;
}

bool FirstFramePainted(const Probe& probe, Window window) {
    const Geometry geometry = WindowGeometry(probe.display, window);
    if (geometry.width <= 0 || geometry.height <= 0)
        return false;
    const double row = PaintedShare(probe, window, 0, geometry.height / 2,
                                    static_cast<unsigned>(geometry.width), 1);
    const double column = PaintedShare(probe, window, geometry.width / 2, 0, 1,
                                       static_cast<unsigned>(geometry.height));
    return row > 0.5 && column > 0.5;
}

std::optional<std::uint64_t> WindowChecksum(const Probe& probe, Window window) {
    const Geometry geometry = WindowGeometry(probe.display, window);
    if (geometry.width <= 0 || geometry.height <= 0)
        return std::nullopt;
    g_xError = false;
    XImage* image = XGetImage(probe.display, window, 0, 0, static_cast<unsigned>(geometry.width),
                              static_cast<unsigned>(geometry.height), AllPlanes, ZPixmap);
    if (image == nullptr || g_xError) {
        if (image != nullptr)
            XDestroyImage(image);
        return std::nullopt;
    }
    // FNV-1a over the pixel bytes of each row (not the row padding), and the size.
    std::uint64_t hash = 1469598103934665603ULL;
    const auto mix = [&hash](std::uint64_t byte) {
        hash ^= byte;
        hash *= 1099511628211ULL;
    };
    mix(static_cast<std::uint64_t>(geometry.width));
    mix(static_cast<std::uint64_t>(geometry.height));
    const auto rowBytes = static_cast<std::size_t>(image->width) *
                          static_cast<std::size_t>(image->bits_per_pixel) / 8;
    for (int row = 0; row < image->height; ++row) {
        const auto* data = reinterpret_cast<const unsigned char*>(
            image->data + static_cast<std::ptrdiff_t>(row) * image->bytes_per_line);
        for (std::size_t i = 0; i < rowBytes; ++i)
            mix(data[i]);
    }
    XDestroyImage(image);
    return hash;
}

void DrainEvents(Display* display) {
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
    }
}

// Sends one character as a key press and release. Only characters whose key
// needs no modifier are supported (digits, lower-case letters, '.', ...): the
// toolkit tracks modifiers through XKB, which synthetic events do not update.
void TypeCharacter(const Probe& probe, Window window, char ch) {
    const KeySym keysym = static_cast<KeySym>(static_cast<unsigned char>(ch));
    const KeyCode keycode = XKeysymToKeycode(probe.display, keysym);
    if (keycode == 0)
        Fail(std::string("no key for character '") + ch + "'");
    for (const int type : {KeyPress, KeyRelease}) {
        XEvent event{};
        event.xkey.type = type;
        event.xkey.display = probe.display;
        event.xkey.window = window;
        event.xkey.root = probe.root;
        event.xkey.subwindow = None;
        event.xkey.time = CurrentTime;
        event.xkey.x = 1;
        event.xkey.y = 1;
        event.xkey.x_root = 1;
        event.xkey.y_root = 1;
        event.xkey.state = 0;
        event.xkey.keycode = keycode;
        event.xkey.same_screen = True;
        XSendEvent(probe.display, window, True, type == KeyPress ? KeyPressMask : KeyReleaseMask,
                   &event);
        XFlush(probe.display);
        SleepMs(15);
    }
}

unsigned ChannelOf(unsigned long pixel, unsigned long mask) {
    if (mask == 0)
        return 0;
    int shift = 0;
    while (((mask >> shift) & 1) == 0)
        ++shift;
    const unsigned long value = (pixel & mask) >> shift;
    const unsigned long maximum = mask >> shift;
    return static_cast<unsigned>(value * 255 / maximum);
}

void PutChunk(std::FILE* file, const char* type, const std::vector<unsigned char>& data) {
    const auto length = static_cast<std::uint32_t>(data.size());
    const unsigned char header[4] = {
        static_cast<unsigned char>(length >> 24), static_cast<unsigned char>(length >> 16),
        static_cast<unsigned char>(length >> 8), static_cast<unsigned char>(length)};
    std::fwrite(header, 1, 4, file);
    std::fwrite(type, 1, 4, file);
    if (!data.empty())
        std::fwrite(data.data(), 1, data.size(), file);
    uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(type), 4);
    if (!data.empty())
        crc = crc32(crc, data.data(), static_cast<uInt>(data.size()));
    const unsigned char trailer[4] = {
        static_cast<unsigned char>(crc >> 24), static_cast<unsigned char>(crc >> 16),
        static_cast<unsigned char>(crc >> 8), static_cast<unsigned char>(crc)};
    std::fwrite(trailer, 1, 4, file);
}

void AppendBigEndian(std::vector<unsigned char>& data, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        data.push_back(static_cast<unsigned char>(value >> shift));
}

// Saves the window's current contents as an 8-bit RGB PNG.
void SaveWindowPng(const Probe& probe, Window window, const std::string& path) {
    const Geometry geometry = WindowGeometry(probe.display, window);
    if (geometry.width <= 0 || geometry.height <= 0)
        Fail("the window is gone");
    g_xError = false;
    XImage* image = XGetImage(probe.display, window, 0, 0, static_cast<unsigned>(geometry.width),
                              static_cast<unsigned>(geometry.height), AllPlanes, ZPixmap);
    if (image == nullptr || g_xError)
        Fail("cannot read the window's contents");

    std::vector<unsigned char> raw;
    raw.reserve(static_cast<std::size_t>(image->height) *
                (1 + 3 * static_cast<std::size_t>(image->width)));
    for (int row = 0; row < image->height; ++row) {
        raw.push_back(0); // filter: none
        for (int column = 0; column < image->width; ++column) {
            const unsigned long pixel = XGetPixel(image, column, row);
            raw.push_back(static_cast<unsigned char>(ChannelOf(pixel, image->red_mask)));
            raw.push_back(static_cast<unsigned char>(ChannelOf(pixel, image->green_mask)));
            raw.push_back(static_cast<unsigned char>(ChannelOf(pixel, image->blue_mask)));
        }
    }
    std::vector<unsigned char> header;
    AppendBigEndian(header, static_cast<std::uint32_t>(image->width));
    AppendBigEndian(header, static_cast<std::uint32_t>(image->height));
    XDestroyImage(image);
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8 bits, RGB, deflate, adaptive, no interlace

    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<unsigned char> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) !=
        Z_OK)
        Fail("cannot compress the image");
    packed.resize(packedSize);

    const std::string temporary = path + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr)
        Fail("cannot write " + temporary);
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::fwrite(signature, 1, sizeof signature, file);
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", packed);
    PutChunk(file, "IEND", {});
    const bool ok = std::ferror(file) == 0;
    if (std::fclose(file) != 0 || !ok || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        Fail("cannot write " + path);
    }
}

void CloseWindow(const Probe& probe, Window window, Child& child) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = probe.wmProtocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(probe.wmDeleteWindow);
    event.xclient.data.l[1] = CurrentTime;
    g_xError = false;
    XSendEvent(probe.display, window, False, NoEventMask, &event);
    XFlush(probe.display);
    const Clock::time_point asked = Clock::now();
    while (!Reap(child, false) && MillisecondsSince(asked) < 5000)
        SleepMs(5);
    if (!child.exited) {
        std::fprintf(stderr, "x11_probe: the program did not close; killing it\n");
        kill(child.pid, SIGKILL);
        Reap(child, true);
    }
}

} // namespace

int main(int argc, char** argv) {
    const Options options = ParseArguments(argc, argv);
    const Probe probe = OpenProbe();

    const Clock::time_point start = Clock::now();
    Child child;
    child.pid = Spawn(options);

    const Window window = WaitForMap(probe, child, start, options.timeoutMs);
    const double mapMs = MillisecondsSince(start);

    double frameMs = -1;
    while (MillisecondsSince(start) < options.timeoutMs) {
        if (Reap(child, false))
            Fail("the program ended before it painted");
        if (FirstFramePainted(probe, window)) {
            frameMs = MillisecondsSince(start);
            break;
        }
        DrainEvents(probe.display);
        SleepMs(1);
    }
    if (frameMs < 0)
        Fail("timed out waiting for the first frame");

    // Watch the contents settle; the last change is when the window was complete.
    double stableMs = frameMs;
    std::optional<std::uint64_t> last = WindowChecksum(probe, window);
    const Clock::time_point settleStart = Clock::now();
    while (MillisecondsSince(settleStart) < options.settleMs) {
        SleepMs(4);
        DrainEvents(probe.display);
        const std::optional<std::uint64_t> now = WindowChecksum(probe, window);
        if (now && now != last) {
            stableMs = MillisecondsSince(start);
            last = now;
        }
    }
    const Geometry geometry = WindowGeometry(probe.display, window);

    if (options.shot) {
        XSetInputFocus(probe.display, window, RevertToParent, CurrentTime);
        XSync(probe.display, False);
        SleepMs(200);
        for (const char ch : options.type)
            TypeCharacter(probe, window, ch);
        SleepMs(options.settleMs);
        SaveWindowPng(probe, window, options.out);
    }

    CloseWindow(probe, window, child);
    std::printf("frame_ms=%.1f stable_ms=%.1f map_ms=%.1f maxrss_kb=%ld width=%d height=%d\n",
                frameMs, stableMs, mapMs, child.usage.ru_maxrss, geometry.width, geometry.height);
    XCloseDisplay(probe.display);
    return WIFEXITED(child.status) && WEXITSTATUS(child.status) == 0 ? 0 : 1;
}
