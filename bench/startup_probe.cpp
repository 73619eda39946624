// Starts like the editor (or, as the floor, with one empty window), reports
// once the window is on screen, then quits. The runner measures the time
// from its own process start to the report.
#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <cstdio>

#ifdef PROBE_EDITOR
#include "app/mainform.h"
#endif

namespace {

long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
#ifdef PROBE_EDITOR
    Tmainform1 window;
#else
    QWidget window;
    window.resize(634, 491);
#endif
    window.show();
    // Queued behind the show and its first paint.
    QTimer::singleShot(0, &app, [] {
        std::printf("shown %ld\n", residentKiB());
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    return app.exec();
}
