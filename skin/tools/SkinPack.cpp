// skinpack: packs a skin folder (bitmaps and one description) into a skin package.
//
//     skinpack <skin folder> <package file>
//
// The package is unpacked again and compared before it is written, so a package that leaves
// the packer always reads back as what went in.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>

#include "SkinFolder.h"
#include "SkinPackage.h"

namespace {

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::string partial = path + ".part";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) throw ESkinFolderError("cannot write " + partial);
    }
    std::filesystem::rename(partial, path);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: skinpack <skin folder> <package file>\n");
        return 2;
    }
    try {
        const std::vector<TSkinEntry> entries = ReadSkinFolder(argv[1]);
        const std::vector<std::uint8_t> image = BuildPackageImage(entries);
        const std::vector<std::uint8_t> package = PackPackage(image);
        if (UnpackPackage(package) != image) {
            std::fprintf(stderr, "skinpack: the package does not unpack to what was packed\n");
            return 1;
        }
        WriteFile(argv[2], package);
        std::printf("skinpack: %zu entries, %zu bytes packed into %zu\n", entries.size(), image.size(), package.size());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skinpack: %s\n", e.what());
        return 1;
    }
}
