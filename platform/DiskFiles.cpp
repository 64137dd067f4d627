// Standard-library files for the command-line tool.
#include "platform/DiskFiles.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/AtomicReplace.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

class StdFileOps {
  public:
    bool Create(const std::string& path) {
        file = std::fopen(path.c_str(), "wb");
        return file != nullptr;
    }
    bool Write(const std::vector<uint8_t>& bytes) {
        return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
    // On the disk, not only in the C library's buffer, before the file is moved over the old one.
    bool Flush() {
        if (std::fflush(file) != 0) return false;
#ifdef _WIN32
        return _commit(_fileno(file)) == 0;
#else
        return fsync(fileno(file)) == 0;
#endif
    }
    bool Close() {
        const bool closed = std::fclose(file) == 0;
        file = nullptr;
        return closed;
    }
    MoveResult MoveOver(const std::string& from, const std::string& to) {
        std::error_code error;
        std::filesystem::rename(from, to, error);
        return error ? MoveResult::Failed : MoveResult::Moved;
    }
    void Remove(const std::string& path) { std::remove(path.c_str()); }

  private:
    std::FILE* file = nullptr;
};

}  // namespace

bool ReadDiskFile(const std::string& path, std::vector<uint8_t>& out) {
    // stdio, not a stream: a stream throws when the path is a directory.
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    out.clear();
    uint8_t chunk[1 << 16];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        out.insert(out.end(), chunk, chunk + got);
    }
    const bool read = std::ferror(file) == 0;
    std::fclose(file);
    return read;
}

bool WriteDiskFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    StdFileOps ops;
    return ReplaceAtomically(ops, path, bytes) == platform::ReplaceResult::Replaced;
}
