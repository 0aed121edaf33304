// SPDX-License-Identifier: MIT
#include "support/temp_folder.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <stdexcept>

#include "core/engine/text_encoding.h"

namespace zaveze::testing {

TempFolder::TempFolder() {
    // A fresh name: create_directory fails on a name that exists, so the folder is ours alone.
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto candidate = std::filesystem::temp_directory_path() /
                               ("zaveze-test-" + std::to_string(random() % 1000000000));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TempFolder::Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void Write_File(const std::string& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::string Read_File(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot read " + path);
    }
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::string Big_Kml(std::size_t bytes) {
    std::string text = "<kml>\r\n<Document>\r\n";
    while (text.size() < bytes) {
        text += "  <Placemark><name>a place</name></Placemark>\r\n";
    }
    return text;
}

std::string Utf16_Of(const std::string& utf8, bool big_endian) {
    std::string bytes;
    Utf16Encoder(big_endian).Encode(utf8, bytes);
    return bytes;
}

std::vector<std::string> Sample_Files() {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(ZAVEZE_SAMPLES_DIR)) {
        if (entry.path().extension() == ".kml") {
            files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace zaveze::testing
