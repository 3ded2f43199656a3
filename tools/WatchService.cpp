#include "WatchService.h"

#include "platform/Text.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <ostream>
#include <unistd.h>

using namespace corvex;

namespace {

constexpr int kRetryHeldMs = 60000; // a file that could not be filed away is tried again after a minute

QString absolute(const std::string& path) {
    return QFileInfo(toQString(path)).absoluteFilePath();
}

} // namespace

void WatchService::YieldingProgress::yield() {
    QCoreApplication::processEvents();
}

WatchService::WatchService(const RenderOptions& options, std::ostream& out, std::ostream& err)
    : m_options(options), m_display(displayOptions(options)), m_outdir(absolute(options.outdir)), m_out(out),
      m_messages(err), m_fileLst(toFileText(absolute(options.watch)), options.pattern),
      m_sequencer(*m_plot.data, m_plot.range, m_fileLst, m_files, *this, nullptr, nullptr) {
    connect(&m_timer, &QTimer::timeout, this, &WatchService::tick);
}

bool WatchService::start() {
    m_sequencer.startUp(m_files.currentDirectory());
    return m_sequencer.Done({true, false, m_options.delaySeconds * 1000,
                             toFileText(absolute(m_options.watch)), m_options.pattern});
}

void WatchService::stop() {
    m_stopping = true;
    m_clock.cancelWaits();
    m_timer.stop();
    m_sequencer.shutDown();
    QCoreApplication::exit(0);
}

void WatchService::tick() {
    m_outFileLabel.clear(); // the reader sets it to " " once a file has data
    m_reported = m_messages.shown().size();
    m_sequencer.PlotTimer_Timer();
    if (m_stopping || m_timer.isActive()) return;
    if (!m_held) { // the numbered names are used up: nothing more can be filed away
        QCoreApplication::exit(1);
        return;
    }
    QTimer::singleShot(kRetryHeldMs, this, [this] {
        if (!m_stopping && m_held) m_sequencer.HoldPlot_Click(); // "&Continue"
    });
}

void WatchService::setHoldCaption(const std::string& caption) {
    m_held = caption == "&Continue";
}

void WatchService::redrawFromScratch() {
    m_pending.clear();
    layOut(m_plot, m_options, m_display, m_messages);
    if (!m_plot.layout.drawable) return;
    const std::string pending =
        toFileText(QDir(m_outdir).filePath(".corvex-pending." + QString::fromStdString(m_options.format)));
    if (drawInto(m_plot, m_options, m_display, pending).written) m_pending = pending;
}

// OUTDIR/<the name the file was filed under>.<format>; a file set aside or left in place keeps its own
// name with the time, so that no drawing replaces another.
std::string WatchService::imageName(const std::string& source, ArchiveResult result) const {
    const bool numbered = (result == ArchiveResult::FiledAway || result == ArchiveResult::NumbersUsedUp) &&
                          m_outFileLabel.size() > 1;
    QString stem = QFileInfo(toQString(numbered ? m_outFileLabel : source)).completeBaseName();
    if (!numbered)
        stem += (result == ArchiveResult::SetAside ? "_set-aside_" : "_") +
                QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss-zzz");
    return toFileText(QDir(m_outdir).filePath(stem + "." + QString::fromStdString(m_options.format)));
}

// Moves the pending drawing to `image` and makes OUTDIR/latest.<format> the same file in one rename, so
// that a viewer never reads a half-written image.
bool WatchService::publish(const std::string& image) {
    const QDir out(m_outdir);
    const std::string latest = toFileText(out.filePath("latest." + QString::fromStdString(m_options.format)));
    const std::string link = toFileText(out.filePath(".corvex-latest"));
    ::unlink(link.c_str());
    return std::rename(m_pending.c_str(), image.c_str()) == 0 && ::link(image.c_str(), link.c_str()) == 0 &&
           std::rename(link.c_str(), latest.c_str()) == 0;
}

void WatchService::plotFiled(const std::string& name, ArchiveResult result) {
    std::string image;
    if (!m_pending.empty()) {
        image = imageName(name, result);
        if (!publish(image)) {
            m_messages.show("The plot of " + name + " could not be written to " + image + ".", kProgramTitle,
                            MessageIcon::Exclamation);
            image.clear();
        }
    }
    report(name, image);
    m_pending.clear();
}

void WatchService::report(const std::string& source, const std::string& image) {
    const PlotData& data = *m_plot.data;
    QJsonArray shown;
    for (size_t k = m_reported; k < m_messages.shown().size(); ++k)
        shown.append(toQString(m_messages.shown()[k].second).replace("\n\r", "\n"));
    const bool numbered = m_outFileLabel.size() > 1 && m_outFileLabel != "Plot File To Be Deleted";
    const QJsonObject line{
        {"source", toQString(source)},
        {"archived", numbered ? QJsonValue(QFileInfo(toQString(m_outFileLabel)).fileName()) : QJsonValue()},
        {"set_aside", m_outFileLabel == "Plot File To Be Deleted"},
        {"image", image.empty() ? QJsonValue() : QJsonValue(toQString(image))},
        {"points", data.DataLoaded ? data.NumPts : 0},
        {"title", toQString(data.DataLoaded ? data.PlotTitle : std::string())},
        {"messages", shown},
        {"time", QDateTime::currentDateTime().toString(Qt::ISODateWithMs)}};
    m_out << QJsonDocument(line).toJson(QJsonDocument::Compact).toStdString() << std::endl;
    m_reported = m_messages.shown().size();
}

namespace {

int g_signalPipe[2] = {-1, -1};
volatile std::sig_atomic_t g_signals = 0;

void onStopSignal(int signo) {
    const std::sig_atomic_t seen = g_signals;
    g_signals = seen + 1;
    if (seen > 0) ::_exit(128 + signo); // only renames and whole copies are ever under way
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &c, 1);
}

} // namespace

int runWatch(const RenderOptions& options) {
    if (::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return 1;
    WatchService service(options, std::cout, std::cerr);
    QSocketNotifier stopRequest(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&stopRequest, &QSocketNotifier::activated, [&] {
        char c;
        while (::read(g_signalPipe[0], &c, 1) > 0) {
        }
        service.stop();
    });
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
    if (!service.start()) return 2;
    return QCoreApplication::exec();
}
