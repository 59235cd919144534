// The real programs end to end, one row of cases.json per command line that names its "program":
// exit codes and streams, real databases made by mkmdb, standard output that is no file (a closed
// pipe, a full device, a file on a full disk), special files to write to, the environment.
#include "CliRows.h"
#include "tests/support/Files.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace ombrix::tests {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// A descriptor closed with the object.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// A character device that takes nothing: every write fails with ENOSPC, as /dev/full's do.
void makeFullDevice(const fs::path& path) {
    ASSERT_EQ(mknod(path.c_str(), S_IFCHR | 0600, makedev(1, 7)), 0) << path;
}

// A small tmpfs mounted on a folder and filled to the last byte; unmounted with the object.
class FullDisk {
public:
    explicit FullDisk(const fs::path& folder) : folder_(folder) {
        fs::create_directory(folder);
        mounted_ = mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") == 0;
        EXPECT_TRUE(mounted_) << std::strerror(errno);
        const Descriptor filler(open((folder / "filler").c_str(), O_WRONLY | O_CREAT, 0600));
        const std::string block(4096, 'f');
        while (write(filler.get(), block.data(), block.size()) > 0) {
        }
    }
    ~FullDisk() {
        if (mounted_) {
            umount2(folder_.c_str(), MNT_DETACH);
        }
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    fs::path folder_;
    bool mounted_ = false;
};

// The test's environment without OMBRIX_PASSWORD, changed as the row says (null: removed).
std::vector<std::string> environmentFor(const json& row, const fs::path& dir) {
    json changes = row.value("env", json::object());
    changes.emplace("OMBRIX_PASSWORD", nullptr);
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string variable = *entry;
        if (!changes.contains(variable.substr(0, variable.find('=')))) {
            environment.push_back(variable);
        }
    }
    for (const auto& [name, value] : changes.items()) {
        if (!value.is_null()) {
            environment.push_back(name + '=' + expand(value, dir));
        }
    }
    return environment;
}

// Runs a program on the given standard streams and returns its wait status.
int run(const std::string& program, const std::vector<std::string>& args,
        std::vector<std::string> environment, int in, int out, int err, bool ignoreSigpipe) {
    std::vector<std::string> argvStrings{program};
    argvStrings.insert(argvStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : argvStrings) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& variable : environment) {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        // The disposition a program inherits across exec: ignored, or the default.
        signal(SIGPIPE, ignoreSigpipe ? SIG_IGN : SIG_DFL);
        if (dup2(in, STDIN_FILENO) < 0 || dup2(out, STDOUT_FILENO) < 0 ||
            dup2(err, STDERR_FILENO) < 0) {
            _exit(127);
        }
        execve(program.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

std::string programPath(const std::string& name) {
    return name == "ombrix" ? OMBRIX_WIZARD_PATH : OMBRIX_CLI_PATH;
}

// mknod and mount need root; the rest runs as anyone.
bool needsRoot(const json& row) {
    const std::string out = row.value("stdout", "");
    bool needs = out == "fullDevice" || out == "fullDisk";
    for (const auto& [path, kind] : namedValues(row, "make").items()) {
        needs = needs || kind == "fullDevice";
    }
    return needs;
}

class ProgramCase : public testing::TestWithParam<json> {};

TEST_P(ProgramCase, AnswersAsTheRowSays) {
    const json& row = GetParam();
    if (needsRoot(row) && geteuid() != 0) {
        GTEST_SKIP() << "mknod and mount need root";
    }
    const RowFolder folder;
    const fs::path& dir = folder.path();
    writeRowFiles(row, dir);
    // mkmdb, a Qt program, takes its file name as text: a name in other bytes is given afterwards.
    for (const auto& [path, description] : namedValues(row, "databases").items()) {
        const Descriptor none(open("/dev/null", O_RDWR));
        ASSERT_EQ(run(OMBRIX_MKMDB_PATH,
                      {std::string(OMBRIX_SOURCE_DIR "/") + description.get<std::string>(),
                       (dir / "made.mdb").string()},
                      environmentFor(json::object(), dir), none.get(), none.get(), none.get(),
                      false),
                  0)
            << description;
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
    const Descriptor in(
        open(row.contains("stdin") ? (dir / "stdin").c_str() : "/dev/null", O_RDONLY));
    const std::string outKind = row.value("stdout", "file");
    std::optional<FullDisk> fullDisk;
    std::array<int, 2> pipeEnds{-1, -1};
    int outFd = -1;
    if (outKind == "closedPipe") {
        ASSERT_EQ(pipe(pipeEnds.data()), 0);
        close(pipeEnds[0]);
        outFd = pipeEnds[1];
    } else if (outKind == "fullDevice") {
        makeFullDevice(dir / "device");
        outFd = open((dir / "device").c_str(), O_WRONLY);
    } else if (outKind == "fullDisk") {
        fullDisk.emplace(dir / "disk");
        outFd = open((dir / "disk" / "out").c_str(), O_WRONLY | O_CREAT, 0600);
    } else {
        outFd = open((dir / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    }
    const Descriptor out(outFd);
    const Descriptor err(open((dir / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600));
    std::vector<std::string> args;
    for (const std::string arg : row["args"]) {
        args.push_back(expand(arg, dir));
    }

    const int status = run(programPath(row["program"]), args, environmentFor(row, dir), in.get(),
                           out.get(), err.get(), row.value("sigpipe", "") == "ignore");

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
            std::max<ssize_t>(0, read(fifoReader->get(), got.data(), got.size()))));
        EXPECT_EQ(got, readFile(fs::path(OMBRIX_SOURCE_DIR) / row["fifoGot"].get<std::string>()));
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ProgramCase, testing::ValuesIn(cliRows(true)), rowName);

} // namespace
} // namespace ombrix::tests
