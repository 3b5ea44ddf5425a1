#pragma once
// Which files of a folder a running program opens, as the kernel reports
// them (inotify): nothing in the game is changed to watch it. Only opens made
// through the folder itself are seen, so the files must be entries of their
// own there (copies or hard links), not symbolic links into another folder.
#include <set>
#include <string>
#include <vector>

#include "platform/file_handle.h"

namespace tvz::testing {

class OpenedFiles {
 public:
  explicit OpenedFiles(const std::string& folder);

  // False when the folder could not be watched.
  bool watching() const { return watch_ >= 0; }
  // Takes in the opens reported since the last call. Call it often: the
  // kernel keeps only so many reports, and says when it dropped some.
  void collect();
  bool lostReports() const { return lostReports_; }

  // Each file once, in the order of its first opening.
  const std::vector<std::string>& inOrder() const { return inOrder_; }
  bool opened(const std::string& name) const { return seen_.count(name) != 0; }
  // Files made in the folder while it was watched (the program's own writes).
  bool created(const std::string& name) const { return created_.count(name) != 0; }

 private:
  FileHandle inotify_;
  int watch_ = -1;
  bool lostReports_ = false;
  std::vector<std::string> inOrder_;
  std::set<std::string> seen_;
  std::set<std::string> created_;
};

}  // namespace tvz::testing
