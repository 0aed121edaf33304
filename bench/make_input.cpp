// SPDX-License-Identifier: MIT
// Writes a KML file of a given size for the benchmark:
//   zaveze-bench-input crlf|lf|single-line|everyday|features SIZE_MIB OUTPUT
// crlf and lf: one element per line with CR LF or LF breaks; single-line: the same elements with
// no line break at all; everyday: an indented LF file with tabs, descriptions and CDATA;
// features: placemarks (about 250 bytes each) with a year in their ExtendedData, one in a
// hundred with none.

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string Dated_Placemark(long number) {
    const std::string year = number % 100 == 99 ? "n/a" : std::to_string(1000 + number % 1000);
    return "\t\t<Placemark>\n\t\t\t<name>Battle " + std::to_string(number) +
           "</name>\n\t\t\t<styleUrl>#battle</styleUrl>\n\t\t\t<ExtendedData><Data "
           "name=\"year\"><value>" +
           year + "</value></Data></ExtendedData>\n\t\t\t<Point><coordinates>14.50" +
           std::to_string(number % 97) + ",46.05" + std::to_string(number % 89) +
           ",0</coordinates></Point>\n\t\t</Placemark>\n";
}

std::string Placemark(long number, const std::string& newline, bool everyday) {
    const std::string id = std::to_string(number);
    const std::string indent = everyday ? "\t\t" : "";
    std::string text =
        indent + "<Placemark>" + newline + indent + "  <name>Place " + id + "</name>" + newline;
    if (everyday) {
        text += indent + "  <description><![CDATA[<p>Sundial number " + id +
                ", restored in 1851 &amp; moved twice.</p>]]></description>" + newline;
        text += indent + "  <styleUrl>#sundial</styleUrl>" + newline;
    }
    text += indent + "  <Point><coordinates>14.50" + std::to_string(number % 97) + ",46.05" +
            std::to_string(number % 89) + ",0</coordinates></Point>" + newline + indent +
            "</Placemark>" + newline;
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s crlf|lf|single-line|everyday|features SIZE_MIB OUTPUT\n",
                     argv[0]);
        return 2;
    }
    const std::string kind = argv[1];
    const long long size = std::atoll(argv[2]) * 1024 * 1024;
    const std::string newline = kind == "crlf" ? "\r\n" : kind == "single-line" ? "" : "\n";
    std::FILE* out = std::fopen(argv[3], "wb");
    if (out == nullptr) {
        std::perror(argv[3]);
        return 1;
    }
    const std::string head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + newline +
                             "<kml xmlns=\"http://www.opengis.net/kml/2.2\">" + newline +
                             "<Document>" + newline + "\t<name>Benchmark</name>" + newline +
                             "\t<Folder>" + newline;
    const std::string tail = "\t</Folder>" + newline + "</Document>" + newline + "</kml>" + newline;
    long long written = static_cast<long long>(std::fwrite(head.data(), 1, head.size(), out));
    for (long number = 0; written + static_cast<long long>(tail.size()) < size; ++number) {
        const std::string block = kind == "features"
                                      ? Dated_Placemark(number)
                                      : Placemark(number, newline, kind == "everyday");
        written += static_cast<long long>(std::fwrite(block.data(), 1, block.size(), out));
    }
    std::fwrite(tail.data(), 1, tail.size(), out);
    return std::fclose(out) == 0 ? 0 : 1;
}
