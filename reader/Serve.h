#pragma once

#include <string>
#include <string_view>

namespace ombrix::reader {

// Answers one request of the reader protocol by reading the database through libmdb, in this
// process: the answer or the engine's error, encoded. A request that does not decode gets an
// empty answer, which the asking side takes for a failed reader. libmdb may crash or hang on a
// damaged file, so only a child process that can be lost calls this.
std::string answerRequest(std::string_view request);

} // namespace ombrix::reader
