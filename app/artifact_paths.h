// Where the JSON and SARIF outputs say a file is: relative to a source root (by default the
// folder the program runs in) when the file lies under it, so that a tool run from a
// checkout's root names files of the checkout; otherwise by its absolute path.
#ifndef IVARSCAN_APP_ARTIFACT_PATHS_H_
#define IVARSCAN_APP_ARTIFACT_PATHS_H_

#include <optional>
#include <string>
#include <string_view>

namespace ivarscan {

class ArtifactPaths {
 public:
  // `repository` and `source_root`: absolute, normalised paths of the system, in the file
  // system's encoding ('\\' separators are read as '/').
  ArtifactPaths(std::string_view repository, std::string_view source_root);

  // Whether the repository lies under the source root (or is it), so that its files have
  // paths relative to the root.
  bool under_root() const { return under_root_; }

  // The source root in UTF-8 with '/' separators, and as a file URI that ends in '/'.
  const std::string& root() const { return root_; }
  std::string RootUri() const;

  // `file`, relative to the repository with '/' separators (as findings name it), in UTF-8:
  // relative to the source root when the repository lies under it, else absolute.
  std::string PathOf(std::string_view file) const;
  // The same for an absolute path of the system, such as a warning names.
  std::string PathOfAbsolute(std::string_view path) const;

  // PathOf and PathOfAbsolute as URI references: relative ones to be resolved against
  // RootUri(), absolute ones as file URIs.
  std::string UriOf(std::string_view file) const;
  std::string UriOfAbsolute(std::string_view path) const;

 private:
  // `absolute` (normalised) relative to the root; nullopt when it lies outside.
  std::optional<std::string> RelativeToRoot(const std::string& absolute) const;
  // The normalised absolute path of `file`, a path relative to the repository.
  std::string InRepository(std::string_view file) const;
  // `absolute` (normalised) as PathOf and UriOf give it: relative to the root when it
  // lies under it, else absolute.
  std::string Located(const std::string& absolute) const;
  std::string LocatedUri(const std::string& absolute) const;

  std::string root_;        // UTF-8, '/' separators, no '/' at the end unless it is "/"
  std::string repository_;  // the same
  bool under_root_ = false;
};

// `path` ('/' separators, UTF-8) as a URI reference: every byte but the unreserved
// characters and '/' percent-encoded.
std::string PathToUri(std::string_view path);

// An absolute path ('/' separators, UTF-8) as a file URI: "file:///srv/a%20b",
// "file:///C:/a%20b", and a network path "//server/share/a" as "file://server/share/a".
std::string FileUri(std::string_view absolute_path);

}  // namespace ivarscan

#endif  // IVARSCAN_APP_ARTIFACT_PATHS_H_
