#include "app/artifact_paths.h"

#include <algorithm>

#include "platform/cp1252.h"

namespace ivarscan {
namespace {

bool IsDriveRoot(std::string_view path) {
  return path.size() == 3 && path[1] == ':' && path[2] == '/';
}

// `path` in UTF-8 with '/' separators and no '/' at the end, unless it is a root.
std::string Normalized(std::string_view path) {
  std::string normal = SystemTextToUtf8(path);
  std::replace(normal.begin(), normal.end(), '\\', '/');
  while (normal.size() > 1 && normal.ends_with('/') && !IsDriveRoot(normal)) normal.pop_back();
  return normal;
}

}  // namespace

ArtifactPaths::ArtifactPaths(std::string_view repository, std::string_view source_root)
    : root_(Normalized(source_root)), repository_(Normalized(repository)) {
  under_root_ = RelativeToRoot(repository_).has_value();
}

std::optional<std::string> ArtifactPaths::RelativeToRoot(const std::string& absolute) const {
  if (absolute == root_) return std::string();
  const std::string prefix = root_.ends_with('/') ? root_ : root_ + "/";
  if (absolute.starts_with(prefix)) return absolute.substr(prefix.size());
  return std::nullopt;
}

std::string ArtifactPaths::RootUri() const {
  std::string uri = FileUri(root_);
  if (!uri.ends_with('/')) uri.push_back('/');
  return uri;
}

std::string ArtifactPaths::InRepository(std::string_view file) const {
  // The repository's path is converted already: only the file's part is.
  return repository_ + "/" + Normalized(file);
}

std::string ArtifactPaths::Located(const std::string& absolute) const {
  return RelativeToRoot(absolute).value_or(absolute);
}

std::string ArtifactPaths::LocatedUri(const std::string& absolute) const {
  const std::optional<std::string> relative = RelativeToRoot(absolute);
  return relative ? PathToUri(*relative) : FileUri(absolute);
}

std::string ArtifactPaths::PathOf(std::string_view file) const {
  return Located(InRepository(file));
}

std::string ArtifactPaths::PathOfAbsolute(std::string_view path) const {
  return Located(Normalized(path));
}

std::string ArtifactPaths::UriOf(std::string_view file) const {
  return LocatedUri(InRepository(file));
}

std::string ArtifactPaths::UriOfAbsolute(std::string_view path) const {
  return LocatedUri(Normalized(path));
}

std::string PathToUri(std::string_view path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string uri;
  for (char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
        (byte >= '0' && byte <= '9') || c == '-' || c == '.' || c == '_' || c == '~' || c == '/') {
      uri.push_back(c);
    } else {
      uri.push_back('%');
      uri.push_back(kHex[byte >> 4]);
      uri.push_back(kHex[byte & 0xF]);
    }
  }
  return uri;
}

std::string FileUri(std::string_view absolute_path) {
  // A network path (\\server\share, here //server/share) names the server as the URI's host.
  if (absolute_path.size() > 2 && absolute_path.starts_with("//") && absolute_path[2] != '/') {
    return "file:" + PathToUri(absolute_path);
  }
  std::string uri = "file://";
  const bool drive = absolute_path.size() >= 2 && absolute_path[1] == ':';
  if (!absolute_path.starts_with('/')) uri.push_back('/');
  if (drive) {
    uri.append(absolute_path.substr(0, 2));
    absolute_path.remove_prefix(2);
  }
  return uri + PathToUri(absolute_path);
}

}  // namespace ivarscan
