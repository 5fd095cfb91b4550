// A file written beside its target and renamed over it only when complete.
#include "atomic_output.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kelvora {

AtomicOutput::~AtomicOutput()
{
    discard();
}

Acad::ErrorStatus AtomicOutput::open(const std::string& targetPath)
{
    discard();
    if (targetPath.empty())
        return Acad::eFileAccessErr;
    // Beside the target, so that the final rename stays within one file system.
    std::string pattern = targetPath + ".tmp-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0)
        return Acad::eFileAccessErr;
    // mkstemp makes the file private; a finished plot gets the permissions of any new file.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, static_cast<mode_t>(0666 & ~mask));
    m_file = fdopen(fd, "wb");
    if (m_file == nullptr) {
        close(fd);
        unlink(name.data());
        return Acad::eFileAccessErr;
    }
    m_target = targetPath;
    m_temporary.assign(name.data());
    m_failed = false;
    return Acad::eOk;
}

bool AtomicOutput::write(const unsigned char* data, std::size_t length)
{
    if (m_file == nullptr || m_failed)
        return false;
    if (length > 0 && std::fwrite(data, 1, length, m_file) != length)
        m_failed = true;
    return !m_failed;
}

Acad::ErrorStatus AtomicOutput::commit()
{
    if (m_file == nullptr)
        return Acad::eFileAccessErr;
    bool ok = !m_failed && std::fflush(m_file) == 0 && fsync(fileno(m_file)) == 0;
    ok = std::fclose(m_file) == 0 && ok;
    m_file = nullptr;
    if (ok && std::rename(m_temporary.c_str(), m_target.c_str()) == 0) {
        m_temporary.clear();
        return Acad::eOk;
    }
    unlink(m_temporary.c_str());
    m_temporary.clear();
    return Acad::eFileAccessErr;
}

void AtomicOutput::discard()
{
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    if (!m_temporary.empty()) {
        unlink(m_temporary.c_str());
        m_temporary.clear();
    }
}

}  // namespace kelvora
