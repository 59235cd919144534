#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace ombrix::tests {

// An Access database built by mkmdb from a JSON description, in a temporary folder of its own
// that is removed with the object. Throws mkmdb::DescriptionError for a faulty description.
class TemporaryDatabase {
public:
    explicit TemporaryDatabase(const QByteArray& jsonDescription,
                               const QString& fileName = QStringLiteral("test.mdb"));

    // Absolute path of the .mdb file.
    QString path() const { return path_; }
    // The folder holding it, for tests that add files beside it.
    QString folder() const { return folder_.path(); }

private:
    QTemporaryDir folder_;
    QString path_;
};

} // namespace ombrix::tests
