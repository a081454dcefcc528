#include "link/permission_hint.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace mqx {

QString PermissionHint(const QString& devicePath) {
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(devicePath);
    // A device that is busy or missing fails for other reasons; those need no group.
    if (::access(path.constData(), R_OK | W_OK) == 0 || errno != EACCES)
        return {};
    struct stat status {};
    if (::stat(path.constData(), &status) != 0)
        return {};
    const group* owner = ::getgrgid(status.st_gid);
    const QString name =
        owner != nullptr ? QString::fromLocal8Bit(owner->gr_name) : QString::number(status.st_gid);
    return QStringLiteral("Add your user to the group \"%1\", then log out and in again.")
        .arg(name);
#else
    Q_UNUSED(devicePath);
    return {};
#endif
}

} // namespace mqx
