#pragma once
#include <string>

namespace vr {

// The per-user data folder: $XDG_DATA_HOME/VeskoRiLi, or
// ~/.local/share/VeskoRiLi when XDG_DATA_HOME is unset or not absolute.
// Only computed here; whoever writes there first creates it.
std::string DataFolder();

// Folder of the running executable (from /proc/self/exe), without a trailing slash.
std::string ProgramFolder();

// Makes the program folder the current directory, so relative names of shipped
// files resolve beside the executable. Returns false if it could not.
bool EnterProgramFolder();

// Creates a folder and its parents (mode 0700 for new ones). True if it exists afterwards.
bool MakeFolders(const std::string& path);

// Joins two path pieces with exactly one slash.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace vr
