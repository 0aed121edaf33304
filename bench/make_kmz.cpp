// SPDX-License-Identifier: MIT
// Packs a KML file into a KMZ archive for the benchmark:
//   zaveze-bench-kmz INPUT.kml OUTPUT.kmz [TILES]
// The KML file becomes the deflated main document doc.kml, beside a small stored image and, when
// asked, TILES more small stored images, as a tile pyramid of a large overlay has.

#include <zip.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s INPUT.kml OUTPUT.kmz [TILES]\n", argv[0]);
        return 2;
    }
    int error = 0;
    zip_t* archive = zip_open(argv[2], ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (archive == nullptr) {
        std::fprintf(stderr, "cannot create %s\n", argv[2]);
        return 1;
    }
    static const std::string image(4096, '\x89');
    zip_source_t* document = zip_source_file(archive, argv[1], 0, -1);
    zip_source_t* icon = zip_source_buffer(archive, image.data(), image.size(), 0);
    const zip_int64_t main =
        document == nullptr ? -1 : zip_file_add(archive, "doc.kml", document, 0);
    const zip_int64_t picture =
        icon == nullptr ? -1 : zip_file_add(archive, "files/icon.png", icon, 0);
    const long tiles = argc == 4 ? std::stol(argv[3]) : 0;
    static const std::string tile(64, '\x89');
    for (long i = 0; i < tiles; ++i) {
        const std::string name =
            "tiles/" + std::to_string(i / 256) + "/" + std::to_string(i) + ".png";
        zip_source_t* source = zip_source_buffer(archive, tile.data(), tile.size(), 0);
        const zip_int64_t index =
            source == nullptr ? -1 : zip_file_add(archive, name.c_str(), source, 0);
        if (index < 0 || zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                                                  ZIP_CM_STORE, 0) != 0) {
            std::fprintf(stderr, "cannot add %s\n", name.c_str());
            return 1;
        }
    }
    if (main < 0 || picture < 0 ||
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(main), ZIP_CM_DEFLATE, 0) !=
            0 ||
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(picture), ZIP_CM_STORE, 0) !=
            0 ||
        zip_close(archive) != 0) {
        std::fprintf(stderr, "cannot write %s: %s\n", argv[2], zip_strerror(archive));
        zip_discard(archive);
        return 1;
    }
    return 0;
}
