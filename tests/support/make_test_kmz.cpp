// SPDX-License-Identifier: MIT
// Packs a KML file into a KMZ archive as KMZ writers do, for comparing builds of zaveze-embed and
// for the benchmark:
//   zaveze-test-kmz INPUT.kml stored|deflated OUTPUT.kmz [TILES]
// The archive holds the KML file as doc.kml (stored or deflated), a folder entry, an image, a
// second KML document and, when asked, TILES more small images, as the tile pyramid of a large
// overlay has.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/zip_builder.h"

int main(int argc, char** argv) {
    using namespace zaveze::testing;
    const std::string method = argc > 2 ? argv[2] : "";
    if ((argc != 4 && argc != 5) || (method != "stored" && method != "deflated")) {
        std::fprintf(stderr, "usage: %s INPUT.kml stored|deflated OUTPUT.kmz [TILES]\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string kml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<RawEntry> entries = {
        method == "stored" ? Stored("doc.kml", kml) : Deflated("doc.kml", kml),
        Stored("files/", ""),
        Stored("files/icon.png", std::string(300, '\x89')),
        Deflated("files/second.kml", "<kml><Folder><name>second</name></Folder></kml>"),
    };
    const long tiles = argc == 5 ? std::stol(argv[4]) : 0;
    for (long i = 0; i < tiles; ++i) {
        entries.push_back(
            Stored("tiles/" + std::to_string(i / 256) + "/" + std::to_string(i) + ".png",
                   std::string(64, '\x89')));
    }
    std::ofstream out(argv[3], std::ios::binary);
    out << Zip_Bytes(entries);
    return in && out ? 0 : 1;
}
