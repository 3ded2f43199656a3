#include "platform/CommandLineExit.h"

#include <cstdio>

namespace corvex {

EarlyExit usageError(const QString& program, const QString& usage, const QString& why) {
    return {kExitUsage,
            {},
            program + ": " + why + "\n" + usage + "Try '" + program + " --help' for the options.\n"};
}

std::optional<EarlyExit> parseStandard(QCommandLineParser& parser, const QStringList& arguments,
                                       const QString& program, const QString& usage) {
    const QCommandLineOption help({"h", "help"}, "Show this help and exit.");
    const QCommandLineOption version({"v", "version"}, "Show the version and exit.");
    parser.addOption(help);
    parser.addOption(version);
    if (!parser.parse(arguments)) return usageError(program, usage, parser.errorText());
    if (parser.isSet(help)) {
        const QString text = parser.helpText();
        return EarlyExit{0, usage + "\n" + text.mid(text.indexOf('\n') + 1), {}};
    }
    if (parser.isSet(version)) return EarlyExit{0, program + " " + CORVEX_VERSION + "\n", {}};
    return std::nullopt;
}

int finish(const EarlyExit& exit) {
    std::fputs(exit.out.toLocal8Bit().constData(), stdout);
    std::fputs(exit.err.toLocal8Bit().constData(), stderr);
    return exit.status;
}

QStringList argumentList(int argc, char** argv) {
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

} // namespace corvex
