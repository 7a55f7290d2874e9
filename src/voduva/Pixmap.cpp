#include "voduva/Pixmap.h"

#include <png.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstring>
#include <map>

#include "defobj/Zone.h"
#include "defobj/raise.h"
#include "voduva/voduva.h"

PixmapImage* voduva_pixmap_create(id zone, unsigned width, unsigned height) {
  auto* pixmap = static_cast<PixmapImage*>(msg::alloc(zone, sizeof(PixmapImage)));
  pixmap->zone = zone;
  pixmap->width = width;
  pixmap->height = height;
  const size_t bytes = size_t{width} * height * 3;
  pixmap->rgb = static_cast<unsigned char*>(msg::alloc(zone, bytes ? bytes : 1));
  std::memset(pixmap->rgb, 0, bytes);
  return pixmap;
}

namespace {

// The 8-bit value of a colour channel under its mask in a pixel.
unsigned char channel(unsigned long pixel, unsigned long mask) {
  if (!mask) return 0;
  int shift = 0;
  while (!((mask >> shift) & 1)) shift++;
  const unsigned long top = mask >> shift;
  return static_cast<unsigned char>(((pixel & mask) >> shift) * 255 / top);
}

Window windowToCapture(id widget, BOOL decorationsFlag) {
  Tk_Window top = voduva_nameToWindow(msg::getWidgetName(widget));
  while (top && !Tk_IsTopLevel(top)) top = Tk_Parent(top);
  if (!top) return None;
  const char* path = Tk_PathName(top);
  msg::eval(globalTkInterp, "wm deiconify %s; update", path);
  if (Tk_X(top) < 0 || Tk_Y(top) < 0 || Tk_X(top) + Tk_Width(top) > WidthOfScreen(Tk_Screen(top)) ||
      Tk_Y(top) + Tk_Height(top) > HeightOfScreen(Tk_Screen(top)))
    Tk_MoveToplevelWindow(top, 0, 0);
  msg::eval(globalTkInterp, "update");
  unsigned frame = 0;
  if (decorationsFlag) {
    msg::eval(globalTkInterp, "wm frame %s", path);
    std::sscanf(msg::result(globalTkInterp), "0x%x", &frame);
  }
  return frame ? frame : Tk_WindowId(top);
}

}  // namespace

PixmapImage* voduva_pixmap_create_from_widget(id zone, id widget, BOOL decorationsFlag) {
  Tk_Window main = msg::mainWindow(globalTkInterp);
  Display* display = Tk_Display(main);
  const Window window = windowToCapture(widget, decorationsFlag);
  Window root;
  int x, y;
  unsigned width, height, border, depth;
  if (window == None || !XGetGeometry(display, window, &root, &x, &y, &width, &height, &border, &depth))
    raiseAt(PixmapError, "voduva_pixmap_create_from_widget", "Cannot get geometry for window");
  XImage* image = XGetImage(display, window, 0, 0, width, height, AllPlanes, ZPixmap);
  if (!image) raiseAt(PixmapError, "voduva_pixmap_create_from_widget", "Cannot get geometry for window");
  PixmapImage* pixmap = voduva_pixmap_create(zone, width, height);
  Visual* visual = Tk_Visual(main);
  unsigned char* out = pixmap->rgb;
  for (unsigned row = 0; row < height; row++)
    for (unsigned column = 0; column < width; column++) {
      const unsigned long pixel = XGetPixel(image, static_cast<int>(column), static_cast<int>(row));
      *out++ = channel(pixel, visual->red_mask);
      *out++ = channel(pixel, visual->green_mask);
      *out++ = channel(pixel, visual->blue_mask);
    }
  XDestroyImage(image);
  return pixmap;
}

namespace {

// The palette of the image when it has at most 256 colours, each pixel
// turned into its palette index; empty otherwise.
bool paletteOf(const PixmapImage* pixmap, std::map<unsigned, unsigned char>& palette) {
  const size_t count = size_t{pixmap->width} * pixmap->height;
  for (size_t i = 0; i < count; i++) {
    const unsigned char* p = pixmap->rgb + 3 * i;
    const unsigned color = p[0] << 16 | p[1] << 8 | p[2];
    if (palette.count(color)) continue;
    if (palette.size() == 256) return false;
    palette.emplace(color, 0);
  }
  unsigned char index = 0;
  for (auto& entry : palette) entry.second = index++;
  return true;
}

// libpng reports its failures by a long jump, so this part holds no
// objects with destructors.
bool writePNG(FILE* file, const PixmapImage* pixmap, const std::map<unsigned, unsigned char>* palette,
              const unsigned char* const* rows, const char* filename) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) raiseAt(PixmapError, "voduva_pixmap_save", "Could not create PNG write struct\n");
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    raiseAt(PixmapError, "voduva_pixmap_save", "Could not create PNG info struct\n");
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    raiseAt(PixmapError, "voduva_pixmap_save", "Error during PNG write of %s\n", filename);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, pixmap->width, pixmap->height, 8, palette ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_color colors[256];
  if (palette) {
    for (const auto& [color, index] : *palette)
      colors[index] = {static_cast<png_byte>(color >> 16), static_cast<png_byte>(color >> 8),
                       static_cast<png_byte>(color)};
    png_set_PLTE(png, info, colors, static_cast<int>(palette->size()));
  }
  png_set_sRGB_gAMA_and_cHRM(png, info, PNG_sRGB_INTENT_PERCEPTUAL);
  png_write_info(png, info);
  png_write_image(png, const_cast<png_bytepp>(rows));
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

void voduva_pixmap_save(PixmapImage* pixmap, const char* filename) {
  FILE* file = std::fopen(filename, "wb");
  if (!file) raiseAt(PixmapError, "voduva_pixmap_save", "Cannot open output pixmap file: %s\n", filename);
  std::map<unsigned, unsigned char> palette;
  const bool paletted = paletteOf(pixmap, palette);
  const size_t rowBytes = paletted ? pixmap->width : size_t{pixmap->width} * 3;
  auto* pixels = static_cast<unsigned char*>(msg::alloc(pixmap->zone, rowBytes * pixmap->height + 1));
  auto* rows = static_cast<unsigned char**>(msg::alloc(pixmap->zone, sizeof(unsigned char*) * (pixmap->height + 1)));
  for (unsigned row = 0; row < pixmap->height; row++) {
    rows[row] = pixels + row * rowBytes;
    const unsigned char* in = pixmap->rgb + size_t{row} * pixmap->width * 3;
    if (!paletted) {
      std::memcpy(rows[row], in, rowBytes);
      continue;
    }
    for (unsigned column = 0; column < pixmap->width; column++, in += 3)
      rows[row][column] = palette[in[0] << 16 | in[1] << 8 | in[2]];
  }
  writePNG(file, pixmap, paletted ? &palette : nullptr, rows, filename);
  std::fclose(file);
  msg::free(pixmap->zone, rows);
  msg::free(pixmap->zone, pixels);
}

void voduva_pixmap_drop(PixmapImage* pixmap) {
  if (!pixmap) return;
  msg::free(pixmap->zone, pixmap->rgb);
  msg::free(pixmap->zone, pixmap);
}
