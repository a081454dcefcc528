#include "own_link.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace mqx::sim {
namespace {

QByteArray linkTarget(const QByteArray& path) {
    char buffer[4096];
    const ssize_t n = ::readlink(path.constData(), buffer, sizeof buffer);
    return n < 0 ? QByteArray() : QByteArray(buffer, n);
}

} // namespace

OwnLink::~OwnLink() {
    remove();
}

bool OwnLink::make(const QString& path, const QString& target, QString* error) {
    remove();
    const QByteArray native = QFile::encodeName(path);
    // symlink() itself refuses an existing name, so nothing is replaced even when the
    // name appears between a look and the making.
    if (::symlink(QFile::encodeName(target).constData(), native.constData()) != 0) {
        *error = errno == EEXIST
                     ? QStringLiteral("%1 exists already and is left as it is; remove it or "
                                      "choose another --link path")
                           .arg(path)
                     : QStringLiteral("cannot make the link %1: %2")
                           .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0) {
        *error = QStringLiteral("cannot find the link %1 just made").arg(path);
        return false;
    }
    m_path = path;
    m_target = QFile::encodeName(target);
    m_device = st.st_dev;
    m_inode = st.st_ino;
    m_made = true;
    return true;
}

void OwnLink::remove() {
    if (!m_made)
        return;
    m_made = false;
    const QByteArray native = QFile::encodeName(m_path);
    struct stat st {};
    // A freed inode number is soon given out again, so the target is compared too.
    if (::lstat(native.constData(), &st) == 0 && S_ISLNK(st.st_mode) && st.st_dev == m_device &&
        st.st_ino == m_inode && linkTarget(native) == m_target)
        ::unlink(native.constData());
}

} // namespace mqx::sim
