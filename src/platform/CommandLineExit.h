#pragma once
// The standard behaviour of the programs' command lines: -h/--help and -v/--version, and usage errors
// told in one place with exit status 2.

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <optional>

namespace corvex {

inline constexpr int kExitUsage = 2;

// What a program prints and returns instead of doing its work.
struct EarlyExit {
    int status = 0;
    QString out, err;
};

// "program: why", the usage lines, and where the options are listed; status 2.
EarlyExit usageError(const QString& program, const QString& usage, const QString& why);

// Parses `arguments` (the program's name first) with `parser`, to which it adds -h/--help and
// -v/--version: nullopt to go on, or help (status 0), "program version" (0) or a usage error (2).
// `usage` replaces Qt's own "Usage:" line and may take several lines.
std::optional<EarlyExit> parseStandard(QCommandLineParser& parser, const QStringList& arguments,
                                       const QString& program, const QString& usage);

// Prints an early exit's texts on stdout and stderr; returns its status.
int finish(const EarlyExit& exit);

// The process's arguments as Qt reads them, without needing an application object.
QStringList argumentList(int argc, char** argv);

} // namespace corvex
