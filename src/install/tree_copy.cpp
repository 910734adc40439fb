#include "install/tree_copy.h"

#include "platform/file_moves.h"
#include "platform/links.h"

namespace korvix {

namespace fs = std::filesystem;

namespace {

enum class EntryKind { missing, link, folder, file, other };

EntryKind kind_of(const fs::directory_entry& entry) {
  std::error_code error;
  fs::file_status status = entry.symlink_status(error);
  if (error || status.type() == fs::file_type::not_found) return EntryKind::missing;
  if (is_link_entry(entry)) return EntryKind::link;
  if (status.type() == fs::file_type::directory) return EntryKind::folder;
  if (status.type() == fs::file_type::regular) return EntryKind::file;
  return EntryKind::other;
}

EntryKind kind_at(const fs::path& path) {
  std::error_code ignored;
  return kind_of(fs::directory_entry(path, ignored));
}

// Clears the way in `to` for an entry of `wanted` kind: what stands there as
// another kind goes, a folder with all in it (its links removed, not followed).
void make_way(const fs::path& target, EntryKind present, EntryKind wanted, std::error_code& error) {
  if (present == EntryKind::missing || (present == wanted && wanted != EntryKind::link)) return;
  if (present == EntryKind::folder) {
    fs::remove_all(target, error);
  } else {
    fs::remove(target, error);
  }
}

void copy_folder(const fs::path& from, const fs::path& to, TreeCopy& copy) {
  for (fs::directory_iterator it(from, copy.error), end; !copy.error && it != end; it.increment(copy.error)) {
    EntryKind kind = kind_of(*it);
    if (kind == EntryKind::missing || kind == EntryKind::other) continue;
    fs::path target = to / it->path().filename();
    make_way(target, kind_at(target), kind, copy.error);
    if (copy.error) return;
    switch (kind) {
      case EntryKind::link:
        if (!copy_link(it->path(), target, copy.error) &&
            copy.error == std::make_error_code(std::errc::operation_not_supported)) {
          copy.error.clear();
          copy.links_left_out.push_back(it->path());
        }
        break;
      case EntryKind::folder:
        fs::create_directory(target, copy.error);
        if (!copy.error) copy_folder(it->path(), target, copy);
        break;
      default:
        copy_file_over(it->path(), target, copy.error);
        break;
    }
    if (copy.error) return;
  }
}

}  // namespace

TreeCopy copy_tree(const fs::path& from, const fs::path& to) {
  TreeCopy copy;
  fs::create_directories(to, copy.error);
  if (!copy.error) copy_folder(from, to, copy);
  return copy;
}

}  // namespace korvix
