// The real file service on real files: what exists, lengths, reading, and copies, renames and deletions
// that either succeed whole or leave every file as it was, with the reason in the user's words.

#include "platform/FileService.h"
#include "platform/RuntimeDir.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace corvex;

namespace {

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return in ? out.str() : "<missing>";
}

} // namespace

class TstFileService : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    SystemFileService m_files;
    std::string at(const char* name) const { return m_dir.filePath(name).toStdString(); }

  private slots:
    void init() {
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.path()));
        std::ofstream(at("a.dat")) << "12345";
        std::ofstream(at("b.dat")) << "other";
        QVERIFY(QDir().mkdir(m_dir.filePath("dir")));
        QVERIFY(::symlink("gone", at("dangling").c_str()) == 0);
    }
    void joinPathAddsOneSlash() {
        QCOMPARE(joinPath("/data", "a.dat") + " " + joinPath("/data/", "a.dat") + " " + joinPath("", "a.dat"),
                 std::string("/data/a.dat /data/a.dat /a.dat"));
    }
    void entriesAndLengths() {
        QVERIFY(m_files.exists(at("a.dat")) && m_files.exists(at("dir")) && m_files.exists(at("dangling")));
        QVERIFY(!m_files.exists(at("none")));
        QCOMPARE(m_files.length(at("a.dat")), std::optional<int64_t>(5));
        for (const char* notRegular : {"dir", "dangling", "none"}) // a length is only a regular file's
            QVERIFY2(!m_files.length(at(notRegular)), notRegular);
    }
    void inputOnlyFromRegularFiles() {
        std::string why;
        const auto source = m_files.openInput(at("a.dat"), why);
        char piece[8];
        QVERIFY(source && source->read(piece, sizeof piece) == 5 && std::string(piece, 5) == "12345");
        QCOMPARE(source->read(piece, sizeof piece), size_t(0));
        QVERIFY(!m_files.openInput(at("none"), why));
        QCOMPARE(why, "Cannot open \"" + at("none") + "\": No such file or directory");
        QVERIFY(!m_files.openInput(at("dir"), why));
        QCOMPARE(why, "\"" + at("dir") + "\" is not a regular file.");
    }
    void copyIsWholeOrNothing() {
        std::string why;
        QVERIFY(m_files.copy(at("a.dat"), at("b.dat"), why)); // replaces a target
        QCOMPARE(contents(at("b.dat")), std::string("12345"));
        struct stat st;
        QVERIFY(::stat(at("b.dat").c_str(), &st) == 0 && (st.st_mode & 0777) == 0644);
        QVERIFY(!m_files.copy(at("a.dat"), at("nodir/c.dat"), why));
        QCOMPARE(why, "Cannot create \"" + at("nodir/c.dat") + "\": No such file or directory");
        // A write that fails (beyond the largest file this process may write) is told as such.
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit;
        ::getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit small{3, limit.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &small);
        const bool copied = m_files.copy(at("a.dat"), at("c.dat"), why);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        QVERIFY(!copied);
        QCOMPARE(why, "Cannot write \"" + at("c.dat") + "\": File too large");
        // A source whose length is not what was copied (still being written, or a system file) gives no copy.
        QVERIFY(!m_files.copy("/proc/self/status", at("c.dat"), why));
        QCOMPARE(why, "The copy \"" + at("c.dat") + "\" is incomplete.");
        QVERIFY(!m_files.copy(at("none"), at("c.dat"), why));
        QCOMPARE(contents(at("c.dat")), std::string("<missing>"));
        // No temporary copy is left behind either way.
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 (QStringList{"a.dat", "b.dat", "dangling"}));
    }
    void renameNeverReplaces() {
        std::string why;
        QVERIFY(!m_files.rename(at("a.dat"), at("b.dat"), why));
        QCOMPARE(why, "Cannot rename \"" + at("a.dat") + "\" to \"" + at("b.dat") + "\": File exists");
        QCOMPARE(contents(at("a.dat")) + contents(at("b.dat")), std::string("12345other"));
        QVERIFY(m_files.rename(at("a.dat"), at("c.dat"), why));
        QCOMPARE(contents(at("a.dat")) + contents(at("c.dat")), std::string("<missing>12345"));
    }
    void removeAndChangeDirectory() {
        std::string why;
        QVERIFY(m_files.remove(at("a.dat"), why) && !m_files.exists(at("a.dat")));
        QVERIFY(!m_files.remove(at("a.dat"), why));
        QCOMPARE(why, "Cannot delete \"" + at("a.dat") + "\": No such file or directory");
        const std::string old = m_files.currentDirectory();
        QVERIFY(m_files.setCurrentDirectory(at("dir"), why));
        QCOMPARE(m_files.currentDirectory(), at("dir"));
        QVERIFY(!m_files.setCurrentDirectory(at("none"), why));
        QCOMPARE(why, "Cannot change to \"" + at("none") + "\": No such file or directory");
        QCOMPARE(m_files.currentDirectory(), at("dir"));
        QVERIFY(m_files.setCurrentDirectory(old, why));
    }
    // Without XDG_RUNTIME_DIR the folder <temp>/runtime-<uid> is made the runtime folder, private (0700),
    // unless that name is taken by something else than a folder of this user's.
    void privateRuntimeDirOnlyInOwnFolder() {
        enum Taken { Nothing, OpenFolder, File, LinkToFolder, ForeignFolder };
        const std::pair<Taken, bool> cases[] = {{Nothing, true},
                                                {OpenFolder, true},
                                                {File, false},
                                                {LinkToFolder, false},
                                                {ForeignFolder, false}};
        const std::string dir = at("runtime-") + std::to_string(::getuid());
        qputenv("TMPDIR", QFile::encodeName(m_dir.path()));
        for (const auto& [taken, used] : cases) {
            if (taken == ForeignFolder && ::getuid() != 0) continue; // only root can give a folder away
            QVERIFY(taken != OpenFolder ||
                    (::mkdir(dir.c_str(), 0755) == 0 && ::chmod(dir.c_str(), 0755) == 0));
            QVERIFY(taken != File || ::close(::creat(dir.c_str(), 0700)) == 0);
            QVERIFY(taken != LinkToFolder || ::symlink(at("dir").c_str(), dir.c_str()) == 0);
            QVERIFY(taken != ForeignFolder ||
                    (::mkdir(dir.c_str(), 0700) == 0 && ::chown(dir.c_str(), 65534, 0) == 0));
            qunsetenv("XDG_RUNTIME_DIR");
            providePrivateRuntimeDir();
            QCOMPARE(qgetenv("XDG_RUNTIME_DIR"), used ? QByteArray(dir.c_str()) : QByteArray());
            struct stat st;
            QVERIFY(!used || (::stat(dir.c_str(), &st) == 0 && (st.st_mode & 0777) == 0700));
            QVERIFY(::remove(dir.c_str()) == 0);
        }
        qputenv("XDG_RUNTIME_DIR", "/elsewhere"); // a runtime folder already given is kept
        providePrivateRuntimeDir();
        QCOMPARE(qgetenv("XDG_RUNTIME_DIR"), QByteArray("/elsewhere"));
    }
};

QTEST_APPLESS_MAIN(TstFileService)
#include "tst_fileservice.moc"
