#include "sim_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

// What stands at a path instead of a regular file, in a reader's words.
const char* not_a_file(mode_t mode) {
    if (S_ISDIR(mode)) return "a folder, not a file";
    if (S_ISFIFO(mode)) return "a FIFO, not a regular file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device, not a regular file";
    return "not a regular file";
}

std::string size_words(std::size_t bytes) { return std::to_string(bytes / (1024 * 1024)) + " MB"; }

} // namespace

namespace {

// Reads the descriptor to its end, within the limit even if the file grows
// meanwhile.
bool read_to_end(int fd, std::size_t limit, std::string& text, std::string& reason) {
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            reason = std::strerror(errno);
            return false;
        }
        if (got == 0) return true;
        if (text.size() + static_cast<std::size_t>(got) > limit) {
            reason = "larger than " + size_words(limit);
            return false;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

} // namespace

bool read_regular_file(const std::string& path, std::size_t limit, std::string& text,
                       std::string& reason) {
    // Non-blocking: a FIFO opens at once, writer or not, and is then refused.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    struct stat status {};
    bool ok = ::fstat(fd, &status) == 0;
    if (!ok)
        reason = std::strerror(errno);
    else if (!S_ISREG(status.st_mode))
        reason = not_a_file(status.st_mode), ok = false;
    else if (static_cast<unsigned long long>(status.st_size) > limit)
        reason = "larger than " + size_words(limit), ok = false;
    text.clear();
    if (ok) {
        text.reserve(static_cast<std::size_t>(status.st_size));
        ok = read_to_end(fd, limit, text, reason);
    }
    ::close(fd);
    return ok;
}

bool read_standard_input(std::size_t limit, std::string& text, std::string& reason) {
    text.clear();
    return read_to_end(STDIN_FILENO, limit, text, reason);
}

bool open_output(output_file& file, const std::string& path, std::string& reason) {
    file.path = path;
    // A first, non-blocking open: it creates the file, and fails at once on a
    // FIFO that nothing reads instead of waiting for a reader.
    const int held =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (held < 0) {
        const int error = errno;
        struct stat status {};
        reason = error == ENXIO && ::stat(path.c_str(), &status) == 0 && S_ISFIFO(status.st_mode)
                     ? "a FIFO that nothing reads"
                     : std::strerror(error);
        return false;
    }
    // The stream's own open cannot wait now: a FIFO has its reader and the
    // first descriptor keeps it open as a writer until the stream holds it.
    errno = 0;
    file.stream.open(path, std::ios::out | std::ios::trunc | std::ios::binary);
    const int error = errno;
    ::close(held);
    if (!file.stream) {
        reason = error ? std::strerror(error) : "cannot open it";
        return false;
    }
    return true;
}

bool close_output(output_file& file, std::string& reason) {
    if (!file.stream.is_open()) return true;
    errno = 0;
    const bool written = static_cast<bool>(file.stream.flush());
    int error = errno;
    file.stream.close(); // closing writes nothing more; its failure is a write's
    if (written && file.stream) return true;
    if (!error) error = errno;
    reason = error ? std::strerror(error) : "a write failed";
    return false;
}

namespace {

// Why an existing folder takes no new file or folder when the system's own
// answer is "No such file or directory" (as /proc's is, even to root): a
// read-only file system, a folder no one may write in, or a file system
// that makes no files on request.
std::string refusal_of_folder(const std::string& folder) {
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0 || status.st_nlink == 0)
        return std::strerror(ENOENT); // gone, or the deleted working folder
    struct statvfs disk {};
    if (::statvfs(folder.c_str(), &disk) == 0 && (disk.f_flag & ST_RDONLY))
        return std::strerror(EROFS);
    if ((status.st_mode & 0222) == 0) return std::strerror(EACCES);
    return "its file system makes no new files there";
}

// The deepest folder of the path that exists ("." for a relative path none
// of whose folders does).
std::string existing_folder(const std::filesystem::path& path) {
    std::error_code failed;
    for (std::filesystem::path at = path; !at.empty(); at = at.parent_path()) {
        if (std::filesystem::is_directory(at, failed)) return at.string();
        if (at == at.parent_path()) break;
    }
    return ".";
}

} // namespace

bool open_output_folder(const std::string& path, int& folder, std::string& reason) {
    folder = -1;
    std::error_code failed;
    std::filesystem::create_directories(path, failed);
    if (failed) {
        reason = failed == std::errc::no_such_file_or_directory
                     ? refusal_of_folder(existing_folder(std::filesystem::path(path).parent_path()))
                     : failed.message();
        return false;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    // A folder that exists may still refuse new files (its permissions, a
    // read-only or special file system): try one, then take it away.
    const std::string probe = ".graze-sim-probe-" + std::to_string(::getpid());
    const int test = ::openat(fd, probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (test < 0) {
        const int error = errno;
        reason = error == ENOENT ? refusal_of_folder(path) : std::strerror(error);
        ::close(fd);
        return false;
    }
    ::close(test);
    ::unlinkat(fd, probe.c_str(), 0);
    folder = fd;
    return true;
}
