// What the fuzz targets share: a scratch folder of their own for the files a target writes,
// and the input cut into a selector byte and the bytes that follow.
#pragma once
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

namespace brasket::fuzz {

// A folder for this process, made at the first call, emptied by `clear` and removed when the
// process ends (libFuzzer ends a run through exit).
inline const std::filesystem::path& scratchfolder(const char* name) {
    struct Folder {
        std::filesystem::path dir;
        explicit Folder(std::filesystem::path d) : dir(std::move(d)) { std::filesystem::create_directories(dir); }
        ~Folder() {
            std::error_code ec;
            std::filesystem::remove_all(dir, ec);
        }
    };
    static const Folder folder(std::filesystem::temp_directory_path() /
                               (std::string("brasket-fuzz-") + name + "-" + std::to_string(::getpid())));
    return folder.dir;
}

inline void clear(const std::filesystem::path& dir) {
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(dir, ec)) std::filesystem::remove_all(e.path(), ec);
}

inline void writebytes(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The first byte of an input chooses what it is fed to; the rest is the content.
struct Selected {
    unsigned choice = 0;
    std::string_view content;
};
inline Selected select(const std::uint8_t* data, std::size_t size, unsigned choices) {
    if (size == 0) return {};
    return {data[0] % choices, std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1)};
}

}  // namespace brasket::fuzz
