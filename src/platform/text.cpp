// Fonts: the desktop's font names resolved through fontconfig to the metric-
// compatible Liberation faces, opened once with SDL_ttf and kept for the run.
#include "platform/text.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <tuple>

namespace tvz {
namespace {

// The desktop families the game names, and the faces that stand in for them.
struct FamilySubstitute {
  const char* desktopName;
  const char* face;
};
constexpr FamilySubstitute kSubstitutes[] = {
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"Courier", "Liberation Mono"},
    {"Arial", "Liberation Sans"},
};
constexpr const char* kFontPackage = "fonts-liberation";

// The face to ask fontconfig for, and whether it must be exactly that face
// (a look-alike would change every text width the layouts were made for).
std::string faceFor(const std::string& family, bool* mustMatch) {
  for (const auto& s : kSubstitutes) {
    if (family == s.desktopName) {
      *mustMatch = true;
      return s.face;
    }
  }
  *mustMatch = false;
  return family;
}

struct FcPatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using FcPatternPtr = std::unique_ptr<FcPattern, FcPatternDeleter>;

struct FontDeleter {
  void operator()(TTF_Font* f) const { TTF_CloseFont(f); }
};
using FontPtr = std::unique_ptr<TTF_Font, FontDeleter>;

struct FontFile {
  std::string path;
  bool boldFace = false;    // the file itself is bold (no synthetic emboldening)
  bool italicFace = false;  // the file itself is slanted
};

// Asks fontconfig for the face; an empty path when it has none that fits.
FontFile matchFontFile(const std::string& face, bool bold, bool italic, bool mustMatch) {
  FontFile result;
  FcPatternPtr pattern(FcPatternCreate());
  if (!pattern) return result;
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult status = FcResultNoMatch;
  FcPatternPtr match(FcFontMatch(nullptr, pattern.get(), &status));
  if (!match) return result;
  FcChar8* family = nullptr;
  FcChar8* file = nullptr;
  if (FcPatternGetString(match.get(), FC_FAMILY, 0, &family) != FcResultMatch ||
      FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) {
    return result;
  }
  if (mustMatch && face != reinterpret_cast<const char*>(family)) return result;
  int weight = FC_WEIGHT_REGULAR;
  int slant = FC_SLANT_ROMAN;
  FcPatternGetInteger(match.get(), FC_WEIGHT, 0, &weight);
  FcPatternGetInteger(match.get(), FC_SLANT, 0, &slant);
  result.path = reinterpret_cast<const char*>(file);
  result.boldFace = weight >= FC_WEIGHT_DEMIBOLD;
  result.italicFace = slant != FC_SLANT_ROMAN;
  return result;
}

// Every font the run has opened, by file, size and underline (colour is not a
// property of the font). SDL_ttf is initialised with the first font and shut
// down with the cache at exit.
class FontCache {
 public:
  static FontCache& instance() {
    static FontCache cache;
    return cache;
  }

  TTF_Font* open(const FontSpec& spec, std::string* error) {
    std::lock_guard<std::mutex> lock(mutex_);
    const FontFile& file = resolve(spec);
    if (file.path.empty()) {
      const std::string message = missingFontMessage(spec);
      // Text drawn without its font would silently vanish: say why, once.
      if (reportedMissing_.insert(message).second) SDL_Log("%s", message.c_str());
      if (error) *error = message;
      return nullptr;
    }
    const auto key = std::make_tuple(file.path, spec.height, spec.bold, spec.italic, spec.underline);
    if (auto it = fonts_.find(key); it != fonts_.end()) return it->second.get();
    if (!initialised_ && TTF_Init() != 0) {
      if (error) *error = std::string("Cannot start the font renderer: ") + TTF_GetError();
      return nullptr;
    }
    initialised_ = true;
    // At 72 dpi a point is a pixel, so the size is the em height in pixels.
    FontPtr font(TTF_OpenFont(file.path.c_str(), spec.height > 0 ? spec.height : 1));
    if (!font) {
      if (error) *error = "Cannot open font file " + file.path + ": " + TTF_GetError();
      return nullptr;
    }
    int style = TTF_STYLE_NORMAL;
    if (spec.bold && !file.boldFace) style |= TTF_STYLE_BOLD;
    if (spec.italic && !file.italicFace) style |= TTF_STYLE_ITALIC;
    if (spec.underline) style |= TTF_STYLE_UNDERLINE;
    TTF_SetFontStyle(font.get(), style);
    TTF_Font* raw = font.get();
    fonts_.emplace(key, std::move(font));
    return raw;
  }

  std::string path(const FontSpec& spec) {
    std::lock_guard<std::mutex> lock(mutex_);
    return resolve(spec).path;
  }

  // Fontconfig keeps its configuration until told to let go; releasing it at
  // exit keeps the leak checker of the sanitizer builds quiet.
  ~FontCache() {
    fonts_.clear();
    if (initialised_) TTF_Quit();
    if (!files_.empty()) FcFini();
  }

 private:
  FontCache() = default;

  const FontFile& resolve(const FontSpec& spec) {
    const auto key = std::make_tuple(spec.family, spec.bold, spec.italic);
    if (auto it = files_.find(key); it != files_.end()) return it->second;
    bool mustMatch = false;
    const std::string face = faceFor(spec.family, &mustMatch);
    return files_[key] = matchFontFile(face, spec.bold, spec.italic, mustMatch);
  }

  static std::string missingFontMessage(const FontSpec& spec) {
    bool mustMatch = false;
    const std::string face = faceFor(spec.family, &mustMatch);
    std::string style = spec.bold ? (spec.italic ? " Bold Italic" : " Bold") : (spec.italic ? " Italic" : "");
    std::string message = "Font \"" + spec.family + "\" not found";
    if (mustMatch) {
      message += " (it is drawn with " + face + style + "; install the package " + kFontPackage + ")";
    }
    return message;
  }

  std::mutex mutex_;
  bool initialised_ = false;
  std::map<std::tuple<std::string, bool, bool>, FontFile> files_;
  std::map<std::tuple<std::string, int, bool, bool, bool>, FontPtr> fonts_;
  std::set<std::string> reportedMissing_;
};

}  // namespace

TTF_Font* openFont(const FontSpec& spec, std::string* error) {
  return FontCache::instance().open(spec, error);
}

std::string fontFilePath(const FontSpec& spec) { return FontCache::instance().path(spec); }

int textWidth(const FontSpec& spec, std::string_view text) {
  TTF_Font* font = openFont(spec);
  if (!font || text.empty()) return 0;
  // SDL_ttf reads C strings: a zero byte ends the text, as it would on the desktop.
  const std::string utf8 = cp1252ToUtf8(text.substr(0, text.find('\0')));
  int width = 0;
  int height = 0;
  if (TTF_SizeUTF8(font, utf8.c_str(), &width, &height) != 0) return 0;
  return width;
}

int lineHeight(const FontSpec& spec) {
  TTF_Font* font = openFont(spec);
  // Lines of a wrapped label follow each other at the font's full height
  // (ascent plus descent), with no extra leading.
  return font ? TTF_FontHeight(font) : spec.height;
}

}  // namespace tvz
