// Standard-library files for the command-line tool.
#include "platform/DiskFiles.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/AtomicReplace.h"

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
    bool Flush() { return std::fflush(file) == 0; }
    bool Close() {
        const bool closed = std::fclose(file) == 0;
        file = nullptr;
        return closed;
    }
    bool MoveOver(const std::string& from, const std::string& to) {
        std::error_code error;
        std::filesystem::rename(from, to, error);
        return !error;
    }
    void Remove(const std::string& path) { std::remove(path.c_str()); }

  private:
    std::FILE* file = nullptr;
};

}  // namespace

bool ReadDiskFile(const std::string& path, std::vector<uint8_t>& out) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    out.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

bool WriteDiskFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    StdFileOps ops;
    return ReplaceAtomically(ops, path, bytes);
}
