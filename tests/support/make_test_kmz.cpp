// SPDX-License-Identifier: MIT
// Packs a KML file into a KMZ archive as KMZ writers do, for comparing builds of zaveze-embed:
//   zaveze-test-kmz INPUT.kml stored|deflated OUTPUT.kmz
// The archive holds the KML file as doc.kml (stored or deflated), a folder entry, an image and a
// second KML document.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "support/zip_builder.h"

int main(int argc, char** argv) {
    using namespace zaveze::testing;
    if (argc != 4 || (std::string(argv[2]) != "stored" && std::string(argv[2]) != "deflated")) {
        std::fprintf(stderr, "usage: %s INPUT.kml stored|deflated OUTPUT.kmz\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string kml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const bool stored = std::string(argv[2]) == "stored";
    const std::string archive = Zip_Bytes({
        stored ? Stored("doc.kml", kml) : Deflated("doc.kml", kml),
        Stored("files/", ""),
        Stored("files/icon.png", std::string(300, '\x89')),
        Deflated("files/second.kml", "<kml><Folder><name>second</name></Folder></kml>"),
    });
    std::ofstream out(argv[3], std::ios::binary);
    out << archive;
    return in && out ? 0 : 1;
}
