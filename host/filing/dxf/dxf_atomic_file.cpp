// Writes a file through a temporary file beside it and a rename, so a failed save leaves the old file whole.
#include "dxf_atomic_file.h"

#include "kelvora/dxf_raw_io.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvora {

namespace {

std::string directoryOf(const std::string& path)
{
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string baseNameOf(const std::string& path)
{
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Opens a new file beside the target under a name no other save uses; the
// kernel applies the umask to its mode, as for any new file.
int openTemporary(const std::string& path, std::string& temp)
{
    static unsigned counter = 0;
    // Names can collide with a file left by a crashed save of the same process id.
    constexpr int kAttempts = 100;
    for (int i = 0; i < kAttempts; ++i) {
        temp = directoryOf(path) + "/." + baseNameOf(path) + "." + std::to_string(::getpid()) + "." +
               std::to_string(counter++) + ".tmp";
        int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

}  // namespace

AtomicFileWriter::~AtomicFileWriter()
{
    abandon();
}

void AtomicFileWriter::abandon()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        ::unlink(m_temp.c_str());
        m_fd = -1;
    }
}

bool AtomicFileWriter::open(const std::string& path, std::string& error)
{
    abandon();
    m_path = path;
    m_errno = 0;
    m_fd = openTemporary(path, m_temp);
    if (m_fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    return true;
}

bool AtomicFileWriter::write(std::string_view bytes)
{
    if (m_fd < 0 || m_errno != 0)
        return false;
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(m_fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            m_errno = errno;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

bool AtomicFileWriter::commit(std::string& error)
{
    if (m_fd < 0) {
        error = "the file was not opened";
        return false;
    }
    bool ok = m_errno == 0;
    // A file being replaced keeps its mode.
    struct stat st {};
    if (ok && ::stat(m_path.c_str(), &st) == 0 && ::fchmod(m_fd, st.st_mode & 07777) != 0) {
        ok = false;
        m_errno = errno;
    }
    if (ok && ::fsync(m_fd) != 0) {
        ok = false;
        m_errno = errno;
    }
    int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && ok) {
        ok = false;
        m_errno = errno;
    }
    if (ok && ::rename(m_temp.c_str(), m_path.c_str()) != 0) {
        ok = false;
        m_errno = errno;
    }
    if (!ok) {
        error = std::strerror(m_errno);
        ::unlink(m_temp.c_str());
    }
    return ok;
}

bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string& error)
{
    AtomicFileWriter file;
    if (!file.open(path, error))
        return false;
    file.write(bytes);
    return file.commit(error);
}

}  // namespace kelvora
