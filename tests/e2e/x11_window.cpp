// Looks at and acts on an X11 window from outside, for the end-to-end tests:
//   x11_window close WINDOW-ID    asks it to close as a window manager's close
//                                 box does (a WM_DELETE_WINDOW client message)
//   x11_window pixels WINDOW-ID   prints a hash of the pixels it shows, so two
//                                 windows that look alike hash alike
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void Close(Display* display, Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
}

bool PrintPixelHash(Display* display, Window window)
{
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) == 0)
        return false;
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr)
        return false;
    std::uint64_t hash = 14695981039346656037ULL; // FNV-1a
    for (int y = 0; y < attributes.height; ++y)
        for (int x = 0; x < attributes.width; ++x) {
            hash ^= XGetPixel(image, x, y) & 0xFFFFFFU;
            hash *= 1099511628211ULL;
        }
    XDestroyImage(image);
    std::printf("%016llx\n", static_cast<unsigned long long>(hash));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 || (std::strcmp(argv[1], "close") != 0 && std::strcmp(argv[1], "pixels") != 0)) {
        std::fprintf(stderr, "usage: x11_window close|pixels WINDOW-ID\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "x11_window: cannot open display\n");
        return 1;
    }
    const auto window = static_cast<Window>(std::strtoul(argv[2], nullptr, 0));
    bool ok = true;
    if (std::strcmp(argv[1], "close") == 0)
        Close(display, window);
    else
        ok = PrintPixelHash(display, window);
    XCloseDisplay(display);
    if (!ok)
        std::fprintf(stderr, "x11_window: cannot read window %s\n", argv[2]);
    return ok ? 0 : 1;
}
