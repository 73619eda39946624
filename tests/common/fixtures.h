#pragma once

// What several tests need alike: the files they test against, the paths as the
// programs show them, and a pipe that would deliver an image.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

// A page has no processes and no pipes.
#if defined(Q_OS_UNIX) && !defined(Q_OS_WASM)
#include <QProcess>
#include <sys/stat.h>
#endif

namespace fixtures {

// The settings image every field of the byte map holds a value in, and those
// values as decode writes them: the one oracle of the byte map.
inline QString GoldenFile(const QString &name)
{
    return QStringLiteral(TRAILCAM_TESTS_DIR "/settings/data/") + name;
}

// The freshly started window, a control a line, as tst_startup writes it.
inline QString FormSnapshotFile()
{
    return QStringLiteral(TRAILCAM_TESTS_DIR "/app/data/startup-form.jsonl");
}

inline QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A path as the messages name it: in full, with the system's separators.
inline QString ShownPath(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

#if defined(Q_OS_UNIX) && !defined(Q_OS_WASM)
// A named pipe; given bytes, a writer stands ready to hand them to the first
// reader, so that waiting on the pipe would be rewarded with a whole image.
class Pipe
{
public:
    explicit Pipe(const QString &path, const QByteArray &offer = {})
    {
        m_made = mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
        if (!m_made || offer.isEmpty())
            return;
        m_writer.start(QStringLiteral("/bin/sh"), { QStringLiteral("-c"), QStringLiteral("exec cat > \"$0\""), path });
        m_made = m_writer.waitForStarted() && m_writer.write(offer) == offer.size() && m_writer.waitForBytesWritten();
        m_writer.closeWriteChannel();
    }
    ~Pipe()
    {
        if (m_writer.state() == QProcess::NotRunning)
            return;
        m_writer.kill();
        m_writer.waitForFinished();
    }
    Pipe(const Pipe &) = delete;
    Pipe &operator=(const Pipe &) = delete;

    bool made() const { return m_made; }

private:
    QProcess m_writer;
    bool m_made = false;
};
#endif

} // namespace fixtures
