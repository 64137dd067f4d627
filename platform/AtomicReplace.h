// Replacing a file all or nothing: the bytes go to a temporary file beside the target, which is
// flushed, closed and then moved over the target. A failure at any step removes the temporary
// file and leaves the target as it was; a crash leaves the old file or the new one, never a mix.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The temporary file a replacement writes first.
inline std::string TemporaryPathFor(const std::string& path) { return path + ".tmp"; }

// Ops provides: bool Create(const std::string&), bool Write(const std::vector<uint8_t>&),
// bool Flush(), bool Close(), bool MoveOver(const std::string& from, const std::string& to),
// void Remove(const std::string&). Create opens the one file the other calls work on.
template <class Ops>
bool ReplaceAtomically(Ops& ops, const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::string temporary = TemporaryPathFor(path);
    if (!ops.Create(temporary)) return false;
    bool done = ops.Write(bytes);
    done = done && ops.Flush();
    done = ops.Close() && done;
    done = done && ops.MoveOver(temporary, path);
    if (!done) ops.Remove(temporary);
    return done;
}
