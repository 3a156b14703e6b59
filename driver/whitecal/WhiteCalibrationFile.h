#pragma once
// The white standard's data files (".wcb"): checking one before it is used, and keeping
// a copy of the chosen standard in the instrument's own folder.
#include <string>

namespace whitecal {

inline constexpr const char* kExtension = "wcb";
inline constexpr double kLowest = 0.0001;
inline constexpr double kHighest = 2.0;

// Message ids of a refused file.
inline constexpr int kFileNotFound = 20811;
inline constexpr int kTooFewValues = 20810;
inline constexpr int kValueOutOfRange = 20809;

// 0 when the file opens and its first 401 lines each hold a value from 0.0001 to 2.0;
// otherwise the id of the message that says why (a value that is no number reads as 0).
int checkFile(const std::string& path);

enum class CopyResult {
    Copied,
    AlreadyThere,  // the chosen file is that copy (letter case aside): nothing copied
    NoFolder,      // the folder's parent is missing or the name too long: give up quietly
    CopyFailed,
};

// Copies the file into folder (created when missing) under its own file name; target
// receives the copy's path.
CopyResult copyIntoFolder(const std::string& source, const std::string& folder,
                          std::string& target);

// The same under another file name.
CopyResult copyIntoFolderAs(const std::string& source, const std::string& folder,
                            const std::string& name, std::string& target);

// The file name with its extension, without the folder.
std::string fileTitle(const std::string& path);

}  // namespace whitecal
