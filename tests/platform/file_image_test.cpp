#include "platform/file_image.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/avi.h"

namespace tvz {
namespace {

namespace fs = std::filesystem;

class FileImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("tvz_file_image_" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path;
  }

  static std::vector<std::uint8_t> contents(const FileImage& image) {
    return {image.data(), image.data() + image.size()};
  }

  fs::path dir_;
};

TEST_F(FileImageTest, AFileComesBackWholeAndStaysWholeWhenMoved) {
  std::vector<std::uint8_t> bytes(300001);  // several pages and an odd tail
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
  const std::string path = write("clip.mm4", bytes);
  std::string error;
  FileImage image;
  ASSERT_TRUE(FileImage::open(path, &image, &error)) << error;
  EXPECT_EQ(contents(image), bytes);

  FileImage moved(std::move(image));
  EXPECT_EQ(image.size(), 0u);
  EXPECT_EQ(contents(moved), bytes);

  // Assigning over an open image lets the old one go and keeps the new whole.
  FileImage other;
  ASSERT_TRUE(FileImage::open(write("small.mm4", {1, 2, 3}), &other, &error)) << error;
  other = std::move(moved);
  EXPECT_EQ(contents(other), bytes);

  FileImage fromMemory(std::vector<std::uint8_t>{9, 8, 7});
  other = std::move(fromMemory);
  EXPECT_EQ(contents(other), (std::vector<std::uint8_t>{9, 8, 7}));
}

TEST_F(FileImageTest, AnEmptyFileIsAnEmptyImage) {
  std::string error;
  FileImage image;
  ASSERT_TRUE(FileImage::open(write("empty.mm4", {}), &image, &error)) << error;
  EXPECT_EQ(image.size(), 0u);
}

// A directory or a pipe named like a clip is refused at once, with its name;
// a pipe must never leave the game waiting for a writer.
TEST_F(FileImageTest, WhatIsNotARegularFileIsRefusedWithItsName) {
  const std::string missing = (dir_ / "missing.mm4").string();
  const std::string folder = (dir_ / "folder.mm4").string();
  const std::string pipe = (dir_ / "pipe.mm4").string();
  fs::create_directory(folder);
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  for (const std::string& path : {missing, folder, pipe}) {
    std::string error;
    FileImage image;
    EXPECT_FALSE(FileImage::open(path, &image, &error)) << path;
    EXPECT_NE(error.find(path), std::string::npos) << error;
    error.clear();
    EXPECT_EQ(AviClip::load(path, &error), nullptr) << path;
    EXPECT_NE(error.find(path), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace tvz
