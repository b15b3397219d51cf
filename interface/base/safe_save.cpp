#include "safe_save.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace safe_save {

namespace {

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

bool writeAll(int fd, const std::string& bytes)
{
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

std::optional<Stamp> StampOf(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return std::nullopt;
    Stamp s;
    s.size = st.st_size;
    s.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    s.inode = st.st_ino;
    return s;
}

bool WriteWhole(const QString& path, const std::string& bytes, QString& reason)
{
    // Through a link to the file it names, as an editor would.
    const QFileInfo info(path);
    const QString target = info.isSymLink() && info.exists() ? info.canonicalFilePath() : path;
    const QByteArray name = QFile::encodeName(target);
    struct stat old {};
    const bool existed = ::stat(name.constData(), &old) == 0;
    if (existed && !S_ISREG(old.st_mode)) {
        reason = QStringLiteral("it is not a regular file");
        return false;
    }
    QByteArray temporary = name + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        reason = systemReason(errno);
        return false;
    }
    int error = 0;
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0) error = errno;
    if (error == 0) {
        mode_t mode = 0666;
        if (existed) {
            mode = old.st_mode & 07777;
            // Another owner is kept where the process may set it; elsewhere the file is ours.
            if (::fchown(fd, old.st_uid, old.st_gid) != 0) (void)!::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            mode &= ~mask;
        }
        if (::fchmod(fd, mode) != 0) error = errno;
    }
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temporary.constData(), name.constData()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temporary.constData());
        reason = systemReason(error);
        return false;
    }
    return true;
}

} // namespace safe_save
