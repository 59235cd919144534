// The real programs end to end, one row of cases.json per command line that names its "program":
// exit codes and streams, real databases made by mkmdb, standard output that cannot be written (a
// closed pipe, a full device), special files to write to, standard input, the environment.
#include "CliRows.h"
#include "support/Files.h"
#include "support/TestData.h"

#include <array>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ombrix::tests {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// A descriptor closed with the object.
struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) {
            close(fd);
        }
    }
};

// A character device that takes nothing: every write fails with ENOSPC, as /dev/full's do.
void makeFullDevice(const fs::path& path) {
    ASSERT_EQ(mknod(path.c_str(), S_IFCHR | 0600, makedev(1, 7)), 0) << path;
}

// Runs the row's program on the given standard streams, in the test's environment changed as the
// row says (null: removed; OMBRIX_PASSWORD only where the row sets it), and returns its wait
// status.
int run(const json& row, std::vector<std::string> args, int in, int out, int err) {
    const std::string program = builtFile("bin/" + row["program"].get<std::string>()).string();
    args.insert(args.begin(), program);
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        unsetenv("OMBRIX_PASSWORD");
        for (const auto& [name, value] : namedValues(row, "env").items()) {
            value.is_null() ? unsetenv(name.c_str())
                            : setenv(name.c_str(), value.get<std::string>().c_str(), 1);
        }
        // The disposition a program inherits across exec: ignored, or the default.
        signal(SIGPIPE, row.value("sigpipe", "") == "ignore" ? SIG_IGN : SIG_DFL);
        if (dup2(in, STDIN_FILENO) >= 0 && dup2(out, STDOUT_FILENO) >= 0 &&
            dup2(err, STDERR_FILENO) >= 0) {
            execv(program.c_str(), argv.data());
        }
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

// mknod needs root; the rest runs as anyone.
bool needsRoot(const json& row) {
    bool needs = row.value("stdout", "") == "fullDevice";
    for (const auto& [path, kind] : namedValues(row, "make").items()) {
        needs = needs || kind == "fullDevice";
    }
    return needs;
}

class ProgramCase : public testing::TestWithParam<json> {};

TEST_P(ProgramCase, AnswersAsTheRowSays) {
    const json& row = GetParam();
    if (needsRoot(row) && geteuid() != 0) {
        GTEST_SKIP() << "mknod needs root";
    }
    const RowFolder folder;
    const fs::path& dir = folder.path();
    writeRowFiles(row, dir);
    // mkmdb, a Qt program, takes its file name as text: a name in other bytes is given afterwards.
    for (const auto& [path, description] : namedValues(row, "databases").items()) {
        ASSERT_EQ(std::system((builtFile("bin/mkmdb").string() + ' ' +
                               sourceFile(description.get<std::string>()).string() + ' ' +
                               (dir / "made.mdb").string())
                                  .c_str()),
                  0);
        fs::rename(dir / "made.mdb", expand(path, dir));
    }
    // Special files to write to; a FIFO gets its reader first, so that opening it never waits.
    std::optional<Descriptor> fifoReader;
    for (const auto& [path, kind] : namedValues(row, "make").items()) {
        const std::string node = expand(path, dir);
        if (kind == "fifo") {
            ASSERT_EQ(mkfifo(node.c_str(), 0600), 0);
            fifoReader.emplace(open(node.c_str(), O_RDONLY | O_NONBLOCK));
        } else {
            makeFullDevice(node);
        }
    }

    if (row.contains("stdin")) {
        writeFile(dir / "stdin", row["stdin"]);
    }
    const Descriptor in{
        open(row.contains("stdin") ? (dir / "stdin").c_str() : "/dev/null", O_RDONLY)};
    // Standard output: a file, or one whose every write fails.
    const std::string outKind = row.value("stdout", "file");
    std::array<int, 2> pipeEnds{-1, -1};
    if (outKind == "closedPipe") {
        ASSERT_EQ(pipe(pipeEnds.data()), 0);
        close(pipeEnds[0]);
    } else if (outKind == "fullDevice") {
        makeFullDevice(dir / "out");
    }
    const Descriptor out{pipeEnds[1] >= 0 ? pipeEnds[1]
                                          : open((dir / "out").c_str(), O_WRONLY | O_CREAT, 0600)};
    const Descriptor err{open((dir / "err").c_str(), O_WRONLY | O_CREAT, 0600)};
    std::vector<std::string> args;
    for (const std::string arg : row["args"]) {
        args.push_back(expand(arg, dir));
    }

    const int status = run(row, args, in.fd, out.fd, err.fd);

    if (row.contains("signal")) {
        ASSERT_TRUE(WIFSIGNALED(status)) << status;
        EXPECT_EQ("SIG" + std::string(sigabbrev_np(WTERMSIG(status))), row["signal"]);
    } else {
        ASSERT_TRUE(WIFEXITED(status)) << status;
        EXPECT_EQ(WEXITSTATUS(status), row["exit"].get<int>());
    }
    checkStreams(row, outKind == "file" ? readFile(dir / "out") : "", readFile(dir / "err"), dir);
    for (const auto& [path, kind] : namedValues(row, "make").items()) {
        const fs::file_type type = fs::symlink_status(expand(path, dir)).type();
        EXPECT_EQ(type, kind == "fifo" ? fs::file_type::fifo : fs::file_type::character)
            << path << " was replaced";
    }
    if (fifoReader) {
        std::string got(1 << 16, '\0');
        got.resize(static_cast<std::size_t>(
            std::max<ssize_t>(0, read(fifoReader->fd, got.data(), got.size()))));
        EXPECT_EQ(got, readFile(sourceFile(row["fifoGot"].get<std::string>())));
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ProgramCase, testing::ValuesIn(cliRows(true)), rowName);

} // namespace
} // namespace ombrix::tests
