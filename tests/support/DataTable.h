#pragma once

#include "support/Files.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <gtest/gtest.h>

namespace ombrix::tests {

// The rows of a table of TAB-separated columns in UTF-8, lines starting with "#" being comments.
// A row of any other width fails the test, so that a broken table is never read as a short one.
inline QList<QStringList> tableRows(const std::filesystem::path& path, qsizetype columns) {
    QList<QStringList> rows;
    for (const QString& line : QString::fromStdString(readFile(path)).split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QStringList cells = line.split('\t');
        if (cells.size() == columns)
            rows.append(cells);
        else
            ADD_FAILURE() << path << ": not " << columns << " columns: " << line.toStdString();
    }
    return rows;
}

} // namespace ombrix::tests
