#pragma once
// A fresh temporary folder for one test. Engine runs make their work folder current, so the
// folder that was current before is put back, and the temporary one removed, at the end.

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace test_support {

class WorkFolder {
public:
  explicit WorkFolder(const std::string& prefix) : old_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder for " + prefix);
    path_ = pattern;
  }
  ~WorkFolder() {
    std::error_code ec;
    std::filesystem::current_path(old_, ec);
    std::filesystem::remove_all(path_, ec);
  }
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

private:
  std::filesystem::path old_;
  std::filesystem::path path_;
};

}  // namespace test_support
