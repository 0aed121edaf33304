// SPDX-License-Identifier: MIT
// Packs a KML file into a KMZ archive for the benchmark:
//   zaveze-bench-kmz INPUT.kml OUTPUT.kmz [TILES]
// The KML file becomes the deflated main document doc.kml, beside a small stored image and, when
// asked, TILES more small stored images, as a tile pyramid of a large overlay has.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/zip_builder.h"

int main(int argc, char** argv) {
    using namespace zaveze::testing;
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s INPUT.kml OUTPUT.kmz [TILES]\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string kml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<RawEntry> entries = {Deflated("doc.kml", kml),
                                     Stored("files/icon.png", std::string(4096, '\x89'))};
    const long tiles = argc == 4 ? std::stol(argv[3]) : 0;
    const std::string tile(64, '\x89');
    for (long i = 0; i < tiles; ++i) {
        entries.push_back(
            Stored("tiles/" + std::to_string(i / 256) + "/" + std::to_string(i) + ".png", tile));
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << Zip_Bytes(entries);
    if (!in || !out) {
        std::fprintf(stderr, "cannot read %s or write %s\n", argv[1], argv[2]);
        return 1;
    }
    return 0;
}
