#pragma once
// A scratch folder per test, removed afterwards, and whole files written and read.

#include <QFile>
#include <QTemporaryDir>

namespace mqx::test {

class ScratchDir {
public:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    bool isValid() const { return m_dir.isValid(); }

private:
    QTemporaryDir m_dir;
};

// Writes bytes to a file and returns its path.
inline QString writeFile(const ScratchDir& dir, const QString& name, const QByteArray& bytes) {
    QFile f(dir.path(name));
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return f.fileName();
}

inline QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace mqx::test
