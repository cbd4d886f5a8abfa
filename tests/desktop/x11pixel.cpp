// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Prints the colour of one pixel of an X window as #rrggbb, for checks of what the real program
// draws on a real X server.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: x11pixel WINDOW-ID X Y\n");
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "x11pixel: cannot open the display\n");
        return 1;
    }
    const Window window = std::strtoul(argv[1], nullptr, 0);
    const int x = std::atoi(argv[2]);
    const int y = std::atoi(argv[3]);
    XImage *image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) {
        std::fprintf(stderr, "x11pixel: cannot read the window\n");
        XCloseDisplay(display);
        return 1;
    }
    XColor colour{};
    colour.pixel = XGetPixel(image, 0, 0);
    XQueryColor(display, DefaultColormap(display, DefaultScreen(display)), &colour);
    std::printf("#%02x%02x%02x\n", colour.red >> 8, colour.green >> 8, colour.blue >> 8);
    XDestroyImage(image);
    XCloseDisplay(display);
    return 0;
}
