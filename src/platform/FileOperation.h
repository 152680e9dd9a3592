#pragma once

#include <string>

namespace mw {

// One file operation on a folder: "COPY", "DELETE", "MOVE" or "RENAME" (any letter case).
// "DELETE" moves the folder to the desktop's trash, so it can be restored. The source must be
// an existing folder. True on success; any failure gives false.
bool FileOperation(const std::string& operation, const std::string& source, const std::string& target,
                   bool renameOnCollision, bool noConfirmation, bool simpleProgress, bool silent);

}  // namespace mw
