#include "platform/folder_tree.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Deeper trees than this are not deleted; each level holds one descriptor.
constexpr int kMaxDepth = 512;

bool IsFolder(const QByteArray& path)
{
    struct stat st {};
    return ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A path with a NUL in it would be cut short by the system calls and name
// another file: such paths are refused.
bool Usable(const CString& path) { return !path.isEmpty() && !path.contains(QChar(0)); }

class TreeRemover {
public:
    explicit TreeRemover(dev_t device) : m_device(device) {}

    // Removes the entry `name` of the folder open as `parent`.
    bool Remove(int parent, const char* name, int depth)
    {
        struct stat st {};
        if (::fstatat(parent, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return errno == ENOENT;
        if (!S_ISDIR(st.st_mode)) return ::unlinkat(parent, name, 0) == 0 || errno == ENOENT;
        if (st.st_dev != m_device || depth > kMaxDepth) return false;

        const int fd = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) return false;
        struct stat opened {};
        // The entry may have been swapped for something else since fstatat.
        if (::fstat(fd, &opened) != 0 || opened.st_dev != st.st_dev || opened.st_ino != st.st_ino) {
            ::close(fd);
            return false;
        }
        bool ok = RemoveContents(fd, depth);
        ::close(fd);
        if (::unlinkat(parent, name, AT_REMOVEDIR) != 0 && errno != ENOENT) ok = false;
        return ok;
    }

private:
    bool RemoveContents(int folder, int depth)
    {
        // The names are collected first so that the listing is not read
        // while entries are being removed from it.
        const int listFd = ::dup(folder);
        if (listFd < 0) return false;
        DIR* dir = ::fdopendir(listFd);
        if (!dir) {
            ::close(listFd);
            return false;
        }
        std::vector<std::string> names;
        while (const dirent* entry = ::readdir(dir)) {
            const std::string n = entry->d_name;
            if (n != "." && n != "..") names.push_back(n);
        }
        ::closedir(dir);
        bool ok = true;
        for (const std::string& n : names)
            if (!Remove(folder, n.c_str(), depth + 1)) ok = false;
        return ok;
    }

    dev_t m_device;
};

}  // namespace

bool CreateFolderPath(const CString& path)
{
    if (!Usable(path)) return false;
    QByteArray full = QFile::encodeName(path);
    while (full.size() > 1 && full.endsWith('/')) full.chop(1);
    if (IsFolder(full)) return true;
    // Every parent from the top down; failures are ignored here because the
    // creation of the whole path decides.
    for (qsizetype i = 1; i < full.size(); ++i)
        if (full[i] == '/' && full[i - 1] != '/') ::mkdir(full.left(i).constData(), 0777);
    if (::mkdir(full.constData(), 0777) == 0) return true;
    return errno == EEXIST && IsFolder(full);
}

bool DeleteFolderTree(const CString& path)
{
    if (!Usable(path)) return false;
    const CString clean = QDir::cleanPath(QDir(path).absolutePath());
    const qsizetype slash = clean.lastIndexOf(u'/');
    const CString name = clean.mid(slash + 1);
    if (slash < 0 || name.isEmpty() || name == u"."_qs || name == u".."_qs) return false;
    const CString parentPath = slash == 0 ? u"/"_qs : clean.left(slash);

    const int parent = ::open(QFile::encodeName(parentPath).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parent < 0) return false;
    const QByteArray entry = QFile::encodeName(name);
    struct stat st {};
    bool ok = false;
    if (::fstatat(parent, entry.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0)
        ok = TreeRemover(st.st_dev).Remove(parent, entry.constData(), 0);
    ::close(parent);
    return ok;
}
