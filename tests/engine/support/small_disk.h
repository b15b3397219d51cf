#pragma once
// A work folder that holds only a few kilobytes, standing in for a full disk: a small tmpfs
// mounted over the folder when the process may mount one, else a limit on the size of every
// file the process writes (with SIGXFSZ ignored, a write past it fails with EFBIG). The limit
// is on only while Filling() is in scope, so the old files a test lays out are written whole.

#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace mv::testing {

class SmallDisk {
public:
  SmallDisk(const std::filesystem::path& folder, size_t bytes) : folder_(folder), bytes_(bytes) {
    const std::string options = "size=" + std::to_string(bytes);
    if (::geteuid() == 0 &&
        ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0) {
      mounted_ = true;
    }
  }
  ~SmallDisk() {
    if (!mounted_) return;
    // The engine made the folder current: leave it, then let go of the mount.
    std::error_code ec;
    std::filesystem::current_path(folder_.parent_path(), ec);
    ::umount2(folder_.c_str(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  const char* Kind() const { return mounted_ ? "tmpfs" : "file-size limit"; }

  // While it lives, the disk is as small as asked for.
  class Filling {
  public:
    explicit Filling(const SmallDisk& disk) : Filling(disk.bytes_, !disk.mounted_) {}
    // A file-size limit alone, for files smaller than any file system.
    explicit Filling(size_t bytes, bool on = true) : on_(on) {
      if (!on_) return;
      ::getrlimit(RLIMIT_FSIZE, &old_);
      handler_ = ::signal(SIGXFSZ, SIG_IGN);
      rlimit small = old_;
      small.rlim_cur = rlim_t(bytes);
      ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~Filling() {
      if (!on_) return;
      ::setrlimit(RLIMIT_FSIZE, &old_);
      ::signal(SIGXFSZ, handler_);
    }
    Filling(const Filling&) = delete;
    Filling& operator=(const Filling&) = delete;

  private:
    bool on_;
    rlimit old_{};
    sighandler_t handler_ = SIG_DFL;
  };

private:
  std::filesystem::path folder_;
  size_t bytes_;
  bool mounted_ = false;
};

}  // namespace mv::testing
