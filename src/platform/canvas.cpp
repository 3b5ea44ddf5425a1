#include "platform/canvas.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <memory>
#include <string>

namespace tvz {
namespace {

Rect intersect(const Rect& a, const Rect& b) {
  Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

struct SurfaceDeleter {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// Mixes a colour channel over the background by an 8-bit coverage.
inline std::uint8_t mix(std::uint8_t back, int fore, int alpha) {
  return static_cast<std::uint8_t>((fore * alpha + back * (255 - alpha) + 127) / 255);
}

}  // namespace

Canvas::Canvas(Bitmap& target)
    : target_(target), clip_{0, 0, target.width(), target.height()} {}

void Canvas::setClip(const Rect& clip) {
  clip_ = intersect(clip, Rect{0, 0, target_.width(), target_.height()});
}

Rect Canvas::intersectClip(const Rect& r) {
  const Rect previous = clip_;
  clip_ = intersect(clip_, r);
  return previous;
}

void Canvas::fillRect(const Rect& r, Color c) {
  const Rect area = intersect(r, clip_);
  const auto red = static_cast<std::uint8_t>(redOf(c));
  const auto green = static_cast<std::uint8_t>(greenOf(c));
  const auto blue = static_cast<std::uint8_t>(blueOf(c));
  for (int y = area.top; y < area.bottom; ++y) {
    std::uint8_t* p = target_.row(y) + area.left * 3;
    for (int x = area.left; x < area.right; ++x, p += 3) {
      p[0] = red;
      p[1] = green;
      p[2] = blue;
    }
  }
}

void Canvas::frameRect(const Rect& r, Color c) {
  fillRect({r.left, r.top, r.right, r.top + 1}, c);
  fillRect({r.left, r.bottom - 1, r.right, r.bottom}, c);
  fillRect({r.left, r.top, r.left + 1, r.bottom}, c);
  fillRect({r.right - 1, r.top, r.right, r.bottom}, c);
}

void Canvas::drawBitmap(int x, int y, const Bitmap& src) {
  const Rect area = intersect(Rect{x, y, x + src.width(), y + src.height()}, clip_);
  if (area.width() <= 0 || area.height() <= 0) return;
  const std::size_t bytes = static_cast<std::size_t>(area.width()) * 3;
  for (int ty = area.top; ty < area.bottom; ++ty) {
    const std::uint8_t* s = src.row(ty - y) + (area.left - x) * 3;
    std::copy(s, s + bytes, target_.row(ty) + area.left * 3);
  }
}

void Canvas::drawBitmapKeyed(int x, int y, const Bitmap& src, Color key) {
  const Rect area = intersect(Rect{x, y, x + src.width(), y + src.height()}, clip_);
  const int kr = redOf(key), kg = greenOf(key), kb = blueOf(key);
  for (int ty = area.top; ty < area.bottom; ++ty) {
    const std::uint8_t* s = src.row(ty - y) + (area.left - x) * 3;
    std::uint8_t* t = target_.row(ty) + area.left * 3;
    for (int tx = area.left; tx < area.right; ++tx, s += 3, t += 3) {
      if (s[0] == kr && s[1] == kg && s[2] == kb) continue;
      t[0] = s[0];
      t[1] = s[1];
      t[2] = s[2];
    }
  }
}

void Canvas::stretchBitmap(const Rect& dst, const Bitmap& src) {
  if (src.empty() || dst.width() <= 0 || dst.height() <= 0) return;
  if (dst.width() == src.width() && dst.height() == src.height()) {
    drawBitmap(dst.left, dst.top, src);
    return;
  }
  const Rect area = intersect(dst, clip_);
  for (int ty = area.top; ty < area.bottom; ++ty) {
    const int sy = static_cast<int>(static_cast<long long>(ty - dst.top) * src.height() / dst.height());
    const std::uint8_t* srow = src.row(sy);
    std::uint8_t* t = target_.row(ty) + area.left * 3;
    for (int tx = area.left; tx < area.right; ++tx, t += 3) {
      const int sx = static_cast<int>(static_cast<long long>(tx - dst.left) * src.width() / dst.width());
      const std::uint8_t* s = srow + sx * 3;
      t[0] = s[0];
      t[1] = s[1];
      t[2] = s[2];
    }
  }
}

void Canvas::stretchBitmapKeyed(const Rect& dst, const Bitmap& src, Color key) {
  if (src.empty() || dst.width() <= 0 || dst.height() <= 0) return;
  const int kr = redOf(key), kg = greenOf(key), kb = blueOf(key);
  const Rect area = intersect(dst, clip_);
  for (int ty = area.top; ty < area.bottom; ++ty) {
    const int sy = static_cast<int>(static_cast<long long>(ty - dst.top) * src.height() / dst.height());
    const std::uint8_t* srow = src.row(sy);
    std::uint8_t* t = target_.row(ty) + area.left * 3;
    for (int tx = area.left; tx < area.right; ++tx, t += 3) {
      const int sx = static_cast<int>(static_cast<long long>(tx - dst.left) * src.width() / dst.width());
      const std::uint8_t* s = srow + sx * 3;
      if (s[0] == kr && s[1] == kg && s[2] == kb) continue;
      t[0] = s[0];
      t[1] = s[1];
      t[2] = s[2];
    }
  }
}

void Canvas::drawText(int x, int y, std::string_view text, const FontSpec& font) {
  if (text.empty() || clip_.width() <= 0 || clip_.height() <= 0) return;
  TTF_Font* ttf = openFont(font);
  if (!ttf) return;
  const std::string utf8 = cp1252ToUtf8(text);
  const SDL_Color white{255, 255, 255, 255};
  // The 8-bit shaded rendering gives the coverage of each pixel in its palette
  // index (0 background .. 255 ink), which is all the blending needs.
  SurfacePtr glyphs(TTF_RenderUTF8_Shaded(ttf, utf8.c_str(), white, SDL_Color{0, 0, 0, 255}));
  if (!glyphs || glyphs->format->BytesPerPixel != 1) return;
  const SDL_Palette* palette = glyphs->format->palette;
  const Rect area = intersect(Rect{x, y, x + glyphs->w, y + glyphs->h}, clip_);
  const int fr = redOf(font.color), fg = greenOf(font.color), fb = blueOf(font.color);
  for (int ty = area.top; ty < area.bottom; ++ty) {
    const auto* s = static_cast<const std::uint8_t*>(glyphs->pixels) + (ty - y) * glyphs->pitch +
                    (area.left - x);
    std::uint8_t* t = target_.row(ty) + area.left * 3;
    for (int tx = area.left; tx < area.right; ++tx, ++s, t += 3) {
      const int alpha = palette ? palette->colors[*s].r : *s;
      if (alpha == 0) continue;
      t[0] = mix(t[0], fr, alpha);
      t[1] = mix(t[1], fg, alpha);
      t[2] = mix(t[2], fb, alpha);
    }
  }
}

}  // namespace tvz
