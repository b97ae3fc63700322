// zarnel-xshot: screenshots and their comparison for the end-to-end test.
//   zarnel-xshot grab OUT.png [WINDOW_ID]   the window (default the root) from the X display
//   zarnel-xshot compare A.png B.png [--tolerance N] [--max-differing F] [--region X Y W H]
//       counts the pixels whose channels differ by more than N (default 8) and
//       exits 0 when at most the fraction F (default 0.01) of them differ.
//   zarnel-xshot count A.png RRGGBB
//       prints how many pixels have exactly that colour.
// Exit status 1 on a failure or a mismatch, 2 on a usage error.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/xshot/PngFile.h"

namespace {

using zarnel::tools::RgbImage;

int usage() {
  std::fprintf(stderr,
               "usage: zarnel-xshot grab OUT.png [WINDOW_ID]\n"
               "       zarnel-xshot compare A.png B.png [--tolerance N] [--max-differing F] [--region X Y W H]\n"
               "       zarnel-xshot count A.png RRGGBB\n");
  return 2;
}

uint32_t channelOf(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (!((mask >> shift) & 1)) ++shift;
  const unsigned long bits = mask >> shift;
  return uint32_t(((pixel >> shift) & bits) * 255 / bits);
}

int grab(const char* out, const char* windowId) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "zarnel-xshot: cannot open the X display\n");
    return 1;
  }
  const Window window = windowId ? Window(std::strtoul(windowId, nullptr, 0)) : DefaultRootWindow(display);
  XWindowAttributes attributes;
  XImage* shot = nullptr;
  if (XGetWindowAttributes(display, window, &attributes))
    shot = XGetImage(display, window, 0, 0, unsigned(attributes.width), unsigned(attributes.height), AllPlanes, ZPixmap);
  if (!shot) {
    std::fprintf(stderr, "zarnel-xshot: cannot read window %s\n", windowId ? windowId : "root");
    XCloseDisplay(display);
    return 1;
  }
  RgbImage image{shot->width, shot->height, {}};
  image.pixels.reserve(size_t(shot->width) * size_t(shot->height));
  for (int y = 0; y < shot->height; ++y)
    for (int x = 0; x < shot->width; ++x) {
      const unsigned long p = XGetPixel(shot, x, y);
      image.pixels.push_back(channelOf(p, shot->red_mask) << 16 | channelOf(p, shot->green_mask) << 8 |
                             channelOf(p, shot->blue_mask));
    }
  XDestroyImage(shot);
  XCloseDisplay(display);
  if (zarnel::tools::writePng(out, image)) return 0;
  std::fprintf(stderr, "zarnel-xshot: cannot write %s\n", out);
  return 1;
}

bool differs(uint32_t a, uint32_t b, int tolerance) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int d = int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF);
    if (d > tolerance || -d > tolerance) return true;
  }
  return false;
}

int compare(int argc, char** argv) {
  RgbImage a, b;
  if (!zarnel::tools::readPng(argv[0], a) || !zarnel::tools::readPng(argv[1], b)) {
    std::fprintf(stderr, "zarnel-xshot: cannot read %s or %s\n", argv[0], argv[1]);
    return 1;
  }
  int tolerance = 8;
  double maxDiffering = 0.01;
  int rx = 0, ry = 0, rw = a.width, rh = a.height;
  for (int i = 2; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--tolerance" && i + 1 < argc) tolerance = std::atoi(argv[++i]);
    else if (option == "--max-differing" && i + 1 < argc) maxDiffering = std::atof(argv[++i]);
    else if (option == "--region" && i + 4 < argc) {
      rx = std::atoi(argv[++i]); ry = std::atoi(argv[++i]); rw = std::atoi(argv[++i]); rh = std::atoi(argv[++i]);
    } else return usage();
  }
  if (a.width != b.width || a.height != b.height) {
    std::printf("sizes differ: %dx%d and %dx%d\n", a.width, a.height, b.width, b.height);
    return 1;
  }
  if (rx < 0 || ry < 0 || rw <= 0 || rh <= 0 || rx + rw > a.width || ry + rh > a.height) return usage();
  long count = 0;
  for (int y = ry; y < ry + rh; ++y)
    for (int x = rx; x < rx + rw; ++x) {
      const size_t i = size_t(y) * size_t(a.width) + size_t(x);
      count += differs(a.pixels[i], b.pixels[i], tolerance);
    }
  const double fraction = double(count) / (double(rw) * double(rh));
  std::printf("%ld of %d pixels differ (%.4f)\n", count, rw * rh, fraction);
  return fraction <= maxDiffering ? 0 : 1;
}

}  // namespace

int count(const char* file, const char* colour) {
  RgbImage image;
  if (!zarnel::tools::readPng(file, image)) {
    std::fprintf(stderr, "zarnel-xshot: cannot read %s\n", file);
    return 1;
  }
  char* end = nullptr;
  const unsigned long want = std::strtoul(colour, &end, 16);
  if (!end || *end || std::strlen(colour) != 6) return usage();
  long n = 0;
  for (uint32_t p : image.pixels) n += (p & 0xFFFFFFu) == want;
  std::printf("%ld\n", n);
  return 0;
}

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "grab") == 0 && argc <= 4) return grab(argv[2], argc == 4 ? argv[3] : nullptr);
  if (argc >= 4 && std::strcmp(argv[1], "compare") == 0) return compare(argc - 2, argv + 2);
  if (argc == 4 && std::strcmp(argv[1], "count") == 0) return count(argv[2], argv[3]);
  return usage();
}
