#pragma once
#include <string>

namespace skyvault {

// How a settings file is replaced as a whole: the new text goes to a
// temporary "<file>.XXXXXX" beside it, which is then renamed over it, so a
// reader sees either the old file or the new one, never a part.

// The file a path names once its symbolic links are followed (also when
// the last one points at nothing yet), so that a write reaches a linked
// file instead of replacing the link; the path itself when it is no link.
std::string FollowLinks(const std::string& path);

// Puts `text` in place of `file` through a temporary beside it. False, and
// nothing left behind, when any step fails.
bool ReplaceFile(const std::string& file, const std::string& text);

// Removes the temporaries of `file` that an ended writer left behind (a
// process killed between making one and renaming it). Only for a caller
// that holds the writers' lock: no temporary can then be in use.
void RemoveStaleTemporaries(const std::string& file);

}  // namespace skyvault
