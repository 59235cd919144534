#pragma once

#include <QByteArray>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <ostream>
#include <stdexcept>

namespace ombrix::cli {

enum ExitCode : int {
    exitDone = 0,
    exitBadUsage = 1, // bad arguments or bad input
    exitFailure = 2,  // a file or database that cannot be read or written
};

// A failure that ends a command: its message (without "Error: ") and its exit code.
class CommandError : public std::runtime_error {
public:
    CommandError(int exitCode, const QString& message)
        : std::runtime_error(message.toStdString()), exitCode_(exitCode) {}
    int exitCode() const noexcept { return exitCode_; }

private:
    int exitCode_;
};

// -h and --help, without Qt's --help-all, which would list options that ombrix-cli ignores.
QCommandLineOption AddHelpOption(QCommandLineParser& parser);

// Parses a command's arguments (those after its name); a parse error becomes a CommandError.
void ParseArguments(QCommandLineParser& parser, const QStringList& args);

// The parser's help with the given usage line in place of Qt's, which names the running binary.
QString HelpText(const QCommandLineParser& parser, const QString& usage);

// The bytes of a file, or of standard input for "-".
QByteArray ReadInput(const QString& path);

void WriteText(std::ostream& out, const QString& text);

} // namespace ombrix::cli
