// A file written beside its target and renamed over it when complete, so a failed save leaves the target whole.
#pragma once

#include <string>
#include <string_view>

namespace kelvora {

class AtomicFileWriter {
public:
    AtomicFileWriter() = default;
    // A writer not committed removes its temporary file.
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // False with `error` set (the system's reason) when no file can be made beside `path`.
    bool open(const std::string& path, std::string& error);
    bool write(std::string_view bytes);
    // Flushes to disk and renames over the target; false with `error` set.
    bool commit(std::string& error);

private:
    void abandon();

    std::string m_path;
    std::string m_temp;
    int m_fd = -1;
    int m_errno = 0;
};

}  // namespace kelvora
