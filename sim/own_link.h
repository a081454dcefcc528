#pragma once
// The --link of mqx-sim: a symbolic link to the pseudo-terminal, so that a test or an
// operator can name the port by a fixed path. The link is made only where nothing stands
// yet, and removed at the end only while it is still the very link that was made; a file
// or link of somebody else's at that path is never replaced or removed.

#include <QByteArray>
#include <QString>

#include <sys/types.h>

namespace mqx::sim {

class OwnLink {
public:
    OwnLink() = default;
    ~OwnLink();
    OwnLink(const OwnLink&) = delete;
    OwnLink& operator=(const OwnLink&) = delete;

    // Makes `path` a symbolic link to `target`; false, with the reason in `error`, when
    // anything (a file, a link, even a dangling one, a folder) is at `path` already.
    bool make(const QString& path, const QString& target, QString* error);
    // Removes the link if it is still the one made here; otherwise leaves the path alone.
    void remove();

private:
    QString m_path;
    QByteArray m_target;
    dev_t m_device = 0;
    ino_t m_inode = 0;
    bool m_made = false;
};

} // namespace mqx::sim
