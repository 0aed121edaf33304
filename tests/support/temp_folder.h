// SPDX-License-Identifier: MIT
#pragma once
// A temporary folder for a test's files, removed with everything in it at the end of the test;
// reading and writing those files, and the inputs the tests write into them.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zaveze::testing {

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The full path of a file in the folder, as a text.
    std::string File(std::string_view name) const {
        return (path_ / name).make_preferred().string();  // in the system's own separators
    }
    // Names of everything in the folder, sorted.
    std::vector<std::string> Names() const;

  private:
    std::filesystem::path path_;
};

void Write_File(const std::string& path, std::string_view bytes);
std::string Read_File(const std::string& path);

// A small valid input: an LF-only KML file with a Document and a Placemark.
inline const std::string kSampleKml =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n"
    "<Document>\n  <Placemark><name>Ljubljana</name></Placemark>\n</Document>\n</kml>\n";

// A CR LF KML text of at least `bytes` bytes: a Document full of Placemarks.
std::string Big_Kml(std::size_t bytes);

// A text in UTF-16, as Windows tools write KML.
std::string Utf16_Of(const std::string& utf8, bool big_endian = false);

// The sample KML files from other projects, full paths, sorted.
std::vector<std::string> Sample_Files();

}  // namespace zaveze::testing
