#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>
#include <string>
#include <vector>

namespace ombrix::cli::test {

QByteArray ReadBytes(const QString& path);
QString ExamplePath(const QString& name);
QString GoldenPath(const QString& name);

// What one run of ombrix-cli gave: its exit code and the bytes it wrote to each stream.
struct Outcome {
    int exitCode;
    std::string out;
    std::string err;
};

// The command line as ombrix-cli gets it: UTF-8.
std::vector<std::string> Utf8(const QStringList& arguments);

// Runs ombrix-cli in this process, with string streams for its output.
Outcome RunInProcess(const QStringList& arguments);

// A state that the wizard could not hold, and the one line ombrix-cli must print for it.
struct BadState {
    std::string name;
    QByteArray json;
    std::string message;
};

std::vector<BadState> BadStates();

inline void PrintTo(const BadState& state, std::ostream* out) {
    *out << state.name;
}

} // namespace ombrix::cli::test
