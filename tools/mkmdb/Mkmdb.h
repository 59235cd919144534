#pragma once

#include <QByteArray>
#include <QString>
#include <stdexcept>

// mkmdb writes Access 2000 (Jet 4, 4096-byte pages) database files from a JSON description: test
// fixtures, the sample database and benchmark databases. No available library writes this format,
// so the pages are laid out here from the format's published facts.
namespace mkmdb {

// A description that cannot be turned into a database; what() is one line naming the fault.
class DescriptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes the database described by jsonDescription to outputPath, atomically: on any failure the
// path is left as it was. Throws DescriptionError for a faulty description and
// std::runtime_error when the file cannot be written.
void writeDatabaseFile(const QByteArray& jsonDescription, const QString& outputPath);

} // namespace mkmdb
