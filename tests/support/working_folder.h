#pragma once

#include <QDir>
#include <QTemporaryDir>

// A temporary working folder for the lifetime of the object: the trace files a
// test provokes land there, and the previous folder comes back afterwards.
class TemporaryWorkingFolder
{
public:
    TemporaryWorkingFolder() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~TemporaryWorkingFolder() { QDir::setCurrent(m_previous); }
    TemporaryWorkingFolder(const TemporaryWorkingFolder &) = delete;
    TemporaryWorkingFolder &operator=(const TemporaryWorkingFolder &) = delete;

    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};
