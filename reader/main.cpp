// ombrix-reader: answers one catalogue request read from standard input, on standard output.
// Runs libmdb away from the program proper (see ReaderCatalogue).

#include "reader/Environment.h"
#include "reader/Serve.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

int main() {
    ombrix::reader::prepareReaderProcess();
    // Whatever libmdb prints goes to standard error; the answer alone to the original output.
    const int answerFd = dup(STDOUT_FILENO);
    if (answerFd < 0 || dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
        return EXIT_FAILURE;
    }
    std::string request;
    char buffer[65536];
    for (ssize_t got; (got = read(STDIN_FILENO, buffer, sizeof buffer)) != 0;) {
        if (got < 0) {
            return EXIT_FAILURE;
        }
        request.append(buffer, static_cast<std::size_t>(got));
    }
    const std::string answer = ombrix::reader::answerRequest(request);
    if (answer.empty()) {
        return EXIT_FAILURE;
    }
    for (std::size_t written = 0; written < answer.size();) {
        const ssize_t n = write(answerFd, answer.data() + written, answer.size() - written);
        if (n <= 0) {
            return EXIT_FAILURE;
        }
        written += static_cast<std::size_t>(n);
    }
    return EXIT_SUCCESS;
}
