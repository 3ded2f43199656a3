#include "platform/RuntimeDir.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace corvex {

void providePrivateRuntimeDir() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
    const QByteArray dir = QFile::encodeName(QDir::tempPath()) + "/runtime-" + QByteArray::number(getuid());
    if (mkdir(dir.constData(), 0700) != 0 && errno != EEXIST) return;
    struct stat info {};
    // Someone else's folder, or a file, is no private runtime directory: leave the choice to Qt.
    if (lstat(dir.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid()) return;
    if ((info.st_mode & 0777) != 0700 && chmod(dir.constData(), 0700) != 0) return;
    qputenv("XDG_RUNTIME_DIR", dir);
}

} // namespace corvex
