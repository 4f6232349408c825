#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "qstring_printer.h"

// A temporary folder the file-list tests fill with files of given sizes.
class FileListTree {
public:
    FileListTree() { EXPECT_TRUE(m_dir.isValid()); }

    // The folder as the list shows it: absolute, ending in "/".
    QString path() const { return QDir(m_dir.path()).canonicalPath() + '/'; }

    void file(const QString& name, qsizetype size) const {
        QFile file(path() + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(QByteArray(size, 'x')), size);
    }

    void folder(const QString& name) const { ASSERT_TRUE(QDir(path()).mkpath(name)); }

private:
    QTemporaryDir m_dir;
};
