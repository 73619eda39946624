// Prints the start-up time and resident memory of the editor next to a window
// of as many plain widgets and an empty Qt window, each started several times on the offscreen platform.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Sample
{
    double ms;
    long rssKiB;
};

bool runOnce(const QString &program, Sample *sample)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    while (process.waitForReadyRead(10000)) {
        const QByteArray line = process.readLine();
        if (line.startsWith("shown ")) {
            sample->ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            sample->rssKiB = line.mid(6).trimmed().toLong();
            process.waitForFinished(10000);
            return true;
        }
    }
    process.kill();
    process.waitForFinished();
    return false;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString dir = QCoreApplication::applicationDirPath();
    const int runs = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 10;
    const struct
    {
        const char *label;
        QString program;
    } subjects[] = {
        {"trailcam-settings", dir + QStringLiteral("/startup-probe-editor")},
        {"152 plain widgets", dir + QStringLiteral("/startup-probe-plain")},
        {"empty Qt window", dir + QStringLiteral("/startup-probe-floor")},
    };

    std::printf("%-20s %6s %10s %10s %10s\n", "program", "runs", "median ms", "min ms", "RSS MiB");
    for (const auto &subject : subjects) {
        std::vector<double> times;
        long rss = 0;
        for (int i = 0; i < runs; ++i) {
            Sample s{};
            if (!runOnce(subject.program, &s)) {
                std::fprintf(stderr, "%s did not report its window\n", subject.label);
                return 1;
            }
            times.push_back(s.ms);
            rss = std::max(rss, s.rssKiB);
        }
        std::printf("%-20s %6d %10.1f %10.1f %10.1f\n", subject.label, runs, median(times),
                    *std::min_element(times.begin(), times.end()), static_cast<double>(rss) / 1024.0);
    }
    return 0;
}
