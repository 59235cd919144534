// ombrix-reader: answers one catalogue request read from standard input, on standard output.
// Runs libmdb away from the program proper (see ReaderCatalogue).

#include "reader/Serve.h"

#include <cstdlib>
#include <unistd.h>

int main() {
    // Whatever libmdb prints goes to standard error; the answer alone to the original output.
    const int answerFd = dup(STDOUT_FILENO);
    if (answerFd < 0 || dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
        return EXIT_FAILURE;
    }
    return ombrix::reader::serve(STDIN_FILENO, answerFd);
}
