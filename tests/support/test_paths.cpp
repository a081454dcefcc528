#include "test_paths.h"

#include <QFile>

namespace mqx::test {

QString writeFile(const ScratchDir& dir, const QString& name, const QByteArray& bytes) {
    const QString p = dir.path(name);
    QFile f(p);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return p;
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace mqx::test
