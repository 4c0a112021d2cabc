#pragma once

#include <functional>
#include <string>

namespace cocos2d {

// Reads game files: the ZIP archive appended to the running executable first,
// then the disk (relative names resolve against the current folder).
class CCFileUtils {
public:
    using NotifyHandler = std::function<void(const std::string& title, const std::string& text)>;

    static CCFileUtils* sharedFileUtils();
    static void purgeFileUtils();

    // Whole file in a new[] buffer the caller delete[]s; null with *size = 0 when
    // nothing can be read. No terminating zero is added.
    unsigned char* getFileData(const char* fileName, const char* mode, unsigned long* size);

    bool isPopupNotify() const { return m_popupNotify; }
    void setPopupNotify(bool notify) { m_popupNotify = notify; }

    // Where a failed read is reported; standard error until a window layer sets its own.
    void setNotifyHandler(NotifyHandler handler);

    // The file whose appended archive is searched; the running executable by default.
    void setArchivePath(const std::string& path) { m_archivePath = path; }
    const std::string& archivePath() const { return m_archivePath; }

private:
    CCFileUtils();

    bool m_popupNotify = true;
    std::string m_archivePath;
    NotifyHandler m_notify;
};

}  // namespace cocos2d
