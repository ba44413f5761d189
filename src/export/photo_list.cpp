#include "export/photo_list.h"

#include <algorithm>
#include <system_error>

#include "export/export_error.h"
#include "platform/picture_decoder.h"

namespace video_export {

namespace fs = std::filesystem;

namespace {

bool Hidden(const fs::path& p) { return p.filename().string().starts_with('.'); }

bool IsPhoto(const fs::directory_entry& entry) {
  std::error_code ec;
  return entry.is_regular_file(ec) && !Hidden(entry.path()) &&
         platform::IsReadablePictureName(entry.path().filename().string());
}

template <typename Iterator>
std::vector<fs::path> Collect(Iterator it, std::error_code& ec) {
  std::vector<fs::path> photos;
  for (; !ec && it != Iterator(); it.increment(ec)) {
    if constexpr (std::is_same_v<Iterator, fs::recursive_directory_iterator>) {
      if (Hidden(it->path()) && it->is_directory()) {
        it.disable_recursion_pending();
        continue;
      }
    }
    if (IsPhoto(*it)) photos.push_back(it->path());
  }
  return photos;
}

}  // namespace

std::vector<fs::path> ListPhotos(const fs::path& folder, bool recursive) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) throw ExportError("'" + folder.string() + "' is not a folder");
  const auto options = fs::directory_options::skip_permission_denied;
  std::vector<fs::path> photos = recursive ? Collect(fs::recursive_directory_iterator(folder, options, ec), ec)
                                           : Collect(fs::directory_iterator(folder, options, ec), ec);
  if (ec) throw ExportError("cannot read the folder '" + folder.string() + "': " + ec.message());
  std::sort(photos.begin(), photos.end());
  return photos;
}

}  // namespace video_export
