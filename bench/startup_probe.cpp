// Starts like the editor, or as a floor with one empty window, or with a
// window of about as many plain widgets as the editor has; reports once the
// window is on screen, then quits. The runner measures the time from its own
// process start to the report. In a page it reports on the console the time
// from the navigation to the first frame drawn with the window.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <QWidget>

#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#include <psapi.h>
#endif
#ifdef Q_OS_WASM
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>
#endif

#ifdef PROBE_EDITOR
#include "app/application.h"
#include "app/mainform.h"
#endif

namespace {

long residentKiB()
{
#ifdef Q_OS_WIN
    PROCESS_MEMORY_COUNTERS counters {};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return -1;
    return static_cast<long>(counters.WorkingSetSize / 1024);
#else
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
#endif
}

#ifdef PROBE_PLAIN
// What the toolkit itself costs for a form of this size: four pages of
// captioned edits and drop-downs at fixed places, in the default style.
void fillPlainForm(QWidget *window)
{
    auto *pages = new QTabWidget(window);
    pages->setGeometry(0, 0, 634, 430);
    for (int p = 0; p < 4; ++p) {
        auto *page = new QWidget;
        for (int row = 0; row < 19; ++row) {
            const int y = 4 + row * 21;
            auto *label = new QLabel(QStringLiteral("Caption %1").arg(row), page);
            label->move(8, y);
            if (row % 2)
                (new QLineEdit(QStringLiteral("text %1").arg(row), page))->setGeometry(120, y, 180, 20);
            else
                (new QComboBox(page))->setGeometry(120, y, 180, 20);
        }
        pages->addTab(page, QStringLiteral("Page %1").arg(p));
    }
}
#endif

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
#ifdef PROBE_EDITOR
    PrepareApplication();
    Tmainform1 window;
#else
    QWidget window;
    window.resize(634, 491);
#ifdef PROBE_PLAIN
    fillPlainForm(&window);
#endif
#endif
    window.show();
#ifdef Q_OS_WASM
    // Queued behind the show; the page draws in animation frames, and the
    // second frame from here comes after the one that drew the window.
    QTimer::singleShot(0, &app, [] {
        emscripten_request_animation_frame(
            [](double, void *) {
                emscripten_request_animation_frame(
                    [](double, void *) {
                        // Milliseconds since the navigation began.
                        std::printf("shown %.1f\n", emscripten_get_now());
                        std::fflush(stdout);
                        return EM_FALSE;
                    },
                    nullptr);
                return EM_FALSE;
            },
            nullptr);
    });
    return app.exec();
#endif
    // Queued behind the show and its first paint.
    QTimer::singleShot(0, &app, [] {
        std::printf("shown %ld\n", residentKiB());
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    return app.exec();
}
