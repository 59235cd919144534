#pragma once

namespace ombrix::reader {

// The reader's side of one request: reads the encoded request from `in` to its end, answers it
// by reading the database through libmdb in this process, and writes the encoded answer (or the
// engine's error) to `out`. Returns the exit status for the process: EXIT_FAILURE when the
// request does not decode or the answer cannot be written, which the asking side takes for a
// failed reader. libmdb may crash or hang on a damaged file, so only a child process that can be
// lost calls this: ombrix-reader, or a fork of ombrix-cli.
int serve(int in, int out);

} // namespace ombrix::reader
