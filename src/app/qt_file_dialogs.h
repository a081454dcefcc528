#pragma once
// The file seam on screen: the system's open and save dialogs for program files.

#include "app/file_commands.h"

class QWidget;

namespace mqx {

class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }
    QString openFileName(const QString& initial) override;
    QString saveFileName(const QString& initial) override;
    QString sheetFileName(const QString& initial) override;

private:
    QWidget* m_owner = nullptr;
};

} // namespace mqx
