// Writes the archive seeds of the fuzz corpus with the project's own writer, so they stay real
// archives as the writer evolves: make_fuzz_seeds FOLDER (the fuzz/corpus folder).
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "DatImage.h"
#include "archive/DatWriter.h"

namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

void Write(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// Four bytes of announced size, then one zlib stream: the input of the Decompress target.
std::vector<std::uint8_t> SizedStream(std::string_view text) {
    const auto size = static_cast<std::uint32_t>(text.size());
    std::vector<std::uint8_t> bytes = {
        static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8),
        static_cast<std::uint8_t>(size >> 16), static_cast<std::uint8_t>(size >> 24)};
    const auto stream = vrel::CompressMember(Bytes(text), 9);
    bytes.insert(bytes.end(), stream.begin(), stream.end());
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_fuzz_seeds CORPUS_FOLDER\n";
        return 2;
    }
    using vrel::MemberStorage;
    const std::filesystem::path corpus = argv[1];
    const std::string description = "Sample mod\r\nBy the fuzz corpus\r\n";
    const std::string script = "procedure start begin\r\n  display_msg(\"hello\");\r\nend\r\n";

    const std::vector<std::vector<std::uint8_t>> archives = {
        vrel::BuildDatImage(
            {{.Name = "a.txt", .Content = Bytes("abc"), .Storage = MemberStorage::Stored}}),
        vrel::BuildDatImage({
            {.Name = "amoddesc.qrd",
             .Content = Bytes(description),
             .Storage = MemberStorage::Compressed},
            {.Name = "scripts\\test.int",
             .Content = Bytes(script),
             .Storage = MemberStorage::Compressed},
            {.Name = "text\\english\\game\\misc.msg",
             .Content = Bytes("{100}{}{Vrel}\r\n"),
             .Storage = MemberStorage::Stored},
        }),
        vrel::BuildDatImage({{.Name = "AMODDESC.QRD",
                              .Content = Bytes("Stored description"),
                              .Storage = MemberStorage::Stored}}),
        vrel::BuildDatImage({}),
    };
    for (std::size_t i = 0; i < archives.size(); ++i) {
        const std::string name = "archive" + std::to_string(i + 1) + ".dat";
        Write(corpus / "scan_dat" / name, archives[i]);
        Write(corpus / "dat_walk" / name, archives[i]);
    }
    Write(corpus / "decompress" / "description.bin", SizedStream(description));
    Write(corpus / "decompress" / "script.bin", SizedStream(script));
    Write(corpus / "decompress" / "empty.bin", SizedStream(""));
    return 0;
}
