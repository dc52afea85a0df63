#ifndef SORCA_TEMP_TREE_H
#define SORCA_TEMP_TREE_H
/* Temporary folders for tests that need files of their own: a plain folder, and a resource tree
 * that is the built Resources/ (linked, file by file) except for the files a test replaces or
 * removes. Both are removed with everything in them when they go. */
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

/* The whole file; empty when it cannot be read. */
inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class TempDir {
 public:
  TempDir() {
    std::string pattern = "/tmp/sorca-test-XXXXXX";
    if (mkdtemp(&pattern[0]) == nullptr) throw std::runtime_error("no temporary folder");
    path = pattern;
  }
  ~TempDir() { Shell("rm -rf '" + path + "'"); }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  /* Writes `bytes` to `relative` under the folder, making the folders on the way. */
  void Write(const std::string& relative, const std::string& bytes) const {
    const std::string file = path + "/" + relative;
    Shell("mkdir -p \"$(dirname '" + file + "')\"");
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
  }
  void Remove(const std::string& relative) const { Shell("rm -rf '" + path + "/" + relative + "'"); }
  std::string Read(const std::string& relative) const { return ReadFile(path + "/" + relative); }
  /* A copy of `file` (from the working directory) in the folder, under the same name. */
  void CopyIn(const std::string& file) const { Shell("cp '" + file + "' '" + path + "/'"); }

  std::string path;

 protected:
  static void Shell(const std::string& command) {
    if (std::system(command.c_str()) != 0) throw std::runtime_error("failed: " + command);
  }
};

/* The built Resources/ of the working directory, as links in a temporary folder's Resources/;
 * Write and Remove there (`relative` to the folder, "Resources/MazeOne.txt") change only the
 * copy. Enter() makes the folder the working directory until the tree goes. */
class ResourceTree : public TempDir {
 public:
  ResourceTree() : built_(WorkingDirectory() + "/Resources") {
    Shell("cp -rs '" + built_ + "' '" + path + "/Resources'");
  }
  ~ResourceTree() {
    if (!left_.empty() && chdir(left_.c_str()) != 0) std::abort();
  }
  void Write(const std::string& relative, const std::string& bytes) const {
    Remove(relative);  // a link would write through to the built file
    TempDir::Write(relative, bytes);
  }
  void Enter() {
    left_ = WorkingDirectory();
    if (chdir(path.c_str()) != 0) throw std::runtime_error("cannot enter " + path);
  }

 private:
  static std::string WorkingDirectory() {
    char here[4096];
    return getcwd(here, sizeof here) != nullptr ? here : ".";
  }
  std::string built_, left_;
};

#endif
