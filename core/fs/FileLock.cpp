#include "core/fs/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

FileLock::FileLock(const std::string& path, Wait wait) {
    m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (m_fd < 0) return;
    int operation = LOCK_EX | (wait == Wait::No ? LOCK_NB : 0);
    int result;
    while ((result = ::flock(m_fd, operation)) != 0 && errno == EINTR) {
    }
    if (result != 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

FileLock::~FileLock() {
    if (m_fd >= 0) ::close(m_fd);
}
