#pragma once

#include <QString>

namespace mkmdb {

// Fills page 0, the database definition page: format, code page, sort order, creation date
// and the database password, with the part Jet scrambles scrambled.
void writeHeaderPage(char* page, const QString& password, double created);

} // namespace mkmdb
