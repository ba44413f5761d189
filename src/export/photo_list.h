#pragma once
#include <filesystem>
#include <vector>

namespace video_export {

// The picture files of a folder (and of its sub-folders when `recursive`),
// in name order of their paths below the folder. Hidden files and folders
// (dot-names) are left out. Throws ExportError when the folder cannot be read.
std::vector<std::filesystem::path> ListPhotos(const std::filesystem::path& folder, bool recursive);

}  // namespace video_export
