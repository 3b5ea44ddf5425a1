#pragma once
// The picture loader: ".mm1" (JPEG) and ".mm2" (BMP) files of the working
// directory, unscrambled with the picture key and decoded into a bitmap.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/bitmap.h"

namespace tvz {

class ErrorLog;

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& fileName, std::vector<std::uint8_t>& out);
bool FileExists(const std::string& fileName);

// The part of the name after its last dot ("" without a dot).
std::string FileExtension(const std::string& fileName);

// True on success; every failure is reported (codes 100 to 120) except an
// unknown extension, which returns false silently.
bool LoadPicture(ErrorLog& log, const std::string& fileName, Bitmap& bitmap);

}  // namespace tvz
