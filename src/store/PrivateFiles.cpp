#include "store/PrivateFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace yb {

namespace {

constexpr QFileDevice::Permissions kOwnerFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr QFileDevice::Permissions kOwnerDirectory = kOwnerFile | QFileDevice::ExeOwner;

} // namespace

bool makePrivateDirectory(const QString& path)
{
    const QString clean = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QFileInfo info(clean);
    if (info.isDir())
        return true;
    if (info.exists())
        return false;
    const QString parent = info.path();
    if (parent != clean && !makePrivateDirectory(parent))
        return false;
    if (!QDir().mkdir(clean, kOwnerDirectory))
        return QFileInfo(clean).isDir(); // made meanwhile by someone else: left as it is
    // Exactly 0700, whatever the umask took away.
    QFile::setPermissions(clean, kOwnerDirectory);
    return true;
}

bool createPrivateFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly, kOwnerFile))
        return false;
    f.setPermissions(kOwnerFile);
    return true;
}

bool openPrivateFile(QFileDevice& file, QIODevice::OpenMode mode)
{
#ifdef Q_OS_UNIX
    // A QSaveFile creates its file beside the target with the umask's
    // permissions: under this umask it is private from the start.
    const mode_t before = ::umask(077);
    const bool opened = file.open(mode);
    ::umask(before);
#else
    const bool opened = file.open(mode);
#endif
    return opened && file.setPermissions(kOwnerFile);
}

bool readableByOthers(const QString& path)
{
    const QFileDevice::Permissions p = QFileInfo(path).permissions();
    return p & (QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther);
}

} // namespace yb
