// Prints the start-up time and resident memory of the editor next to a window
// of as many plain widgets and an empty Qt window, each started several times on the offscreen platform.
// With --wine DIR it starts the Windows builds of the same probes in DIR under
// Wine instead, on the X display it is given (xvfb-run); there the editor's
// ratio to the plain window is the figure.
#include <QCommandLineParser>
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

bool runOnce(const QString &program, const QStringList &arguments, Sample *sample)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    // Wine may take a while to start its server the first time.
    while (process.waitForReadyRead(60000)) {
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
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("runs"), QStringLiteral("Starts of each program (default 10)."));
    const QCommandLineOption wine(QStringLiteral("wine"),
        QStringLiteral("Run the Windows probes (startup-probe-*.exe) in <dir> under Wine."), QStringLiteral("dir"));
    parser.addOption(wine);
    parser.process(app);

    const int runs = std::max(1, parser.positionalArguments().value(0, QStringLiteral("10")).toInt());
    const bool underWine = parser.isSet(wine);
    const QString dir = underWine ? parser.value(wine) : QCoreApplication::applicationDirPath();
    const QString suffix = underWine ? QStringLiteral(".exe") : QString();
    const struct
    {
        const char *label;
        const char *probe;
    } subjects[] = {
        {"trailcam-settings", "startup-probe-editor"},
        {"152 plain widgets", "startup-probe-plain"},
        {"empty Qt window", "startup-probe-floor"},
    };

    std::printf("%-20s %6s %10s %10s %10s\n", "program", "runs", "median ms", "min ms", "RSS MiB");
    std::vector<double> medians;
    for (const auto &subject : subjects) {
        const QString probe = dir + QLatin1Char('/') + QLatin1StringView(subject.probe) + suffix;
        const QString program = underWine ? QStringLiteral("wine") : probe;
        // Under Wine the probes draw with Windows' own platform, on the
        // display the runner is given (xvfb-run).
        const QStringList arguments = underWine ? QStringList { probe } : QStringList {};
        std::vector<double> times;
        long rss = 0;
        for (int i = 0; i < runs; ++i) {
            Sample s{};
            if (!runOnce(program, arguments, &s)) {
                std::fprintf(stderr, "%s did not report its window\n", subject.label);
                return 1;
            }
            times.push_back(s.ms);
            rss = std::max(rss, s.rssKiB);
        }
        medians.push_back(median(times));
        std::printf("%-20s %6d %10.1f %10.1f %10.1f\n", subject.label, runs, medians.back(),
                    *std::min_element(times.begin(), times.end()), static_cast<double>(rss) / 1024.0);
    }
    std::printf("editor / plain widgets: %.2f\n", medians[0] / medians[1]);
    return 0;
}
