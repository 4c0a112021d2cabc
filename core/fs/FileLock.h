#pragma once

#include <string>

// An advisory lock (flock) on a lock file, held for the object's lifetime, so that two
// running instances of the game take turns at a read-modify-write of a stored file. The
// lock file is created when missing and never followed through a symbolic link. A lock that
// cannot be had (no such folder, a read-only disk) is reported by held() and the caller goes
// on without it: the lock only orders instances, it never stops a single one.
class FileLock {
public:
    enum class Wait { Yes, No };

    FileLock(const std::string& path, Wait wait);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};
