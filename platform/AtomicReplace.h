// Replacing a file all or nothing: the bytes go to a temporary file beside the target, which is
// flushed, closed and then moved over the target. A failure at any step removes the temporary
// file and leaves the target as it was; a crash leaves the old file or the new one, never a mix.
// Where the move has to delete the target first and then fails, the temporary file holds the only
// copy left and is kept.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"

// The temporary file a replacement writes first.
inline std::string TemporaryPathFor(const std::string& path) { return path + ".tmp"; }

// What moving the temporary file over the target did. TargetRemoved: the target was deleted (no
// move over an existing file is available) and the file could not be moved in after that.
enum class MoveResult { Moved, Failed, TargetRemoved };

// Ops provides: bool Create(const std::string&), bool Write(const std::vector<uint8_t>&),
// bool Flush(), bool Close(), MoveResult MoveOver(const std::string& from, const std::string& to),
// void Remove(const std::string&). Create opens the one file the other calls work on.
template <class Ops>
platform::ReplaceResult ReplaceAtomically(Ops& ops, const std::string& path,
                                          const std::vector<uint8_t>& bytes) {
    using platform::ReplaceResult;
    const std::string temporary = TemporaryPathFor(path);
    if (!ops.Create(temporary)) return ReplaceResult::Failed;
    bool written = ops.Write(bytes);
    written = written && ops.Flush();
    written = ops.Close() && written;
    if (written) {
        switch (ops.MoveOver(temporary, path)) {
            case MoveResult::Moved:
                return ReplaceResult::Replaced;
            case MoveResult::TargetRemoved:
                return ReplaceResult::KeptInTemporary;
            case MoveResult::Failed:
                break;
        }
    }
    ops.Remove(temporary);
    return ReplaceResult::Failed;
}
