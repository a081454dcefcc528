#pragma once
// A scratch folder per test, removed afterwards.

#include <QString>
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
QString writeFile(const ScratchDir& dir, const QString& name, const QByteArray& bytes);
QByteArray readFile(const QString& path);

} // namespace mqx::test
