#include "app/filedrop.h"

#include "app/mainform.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>

namespace {

#ifdef Q_OS_UNIX
// A drop spells the name's bytes in its URL, percent-encoded; the text Qt
// decodes from them may name another file.
QByteArray DroppedName(const QUrl &url)
{
    const QString local = url.toLocalFile(); // "//host" before the path, for a URL with a host
    return QFile::encodeName(local.chopped(url.path(QUrl::FullyDecoded).size()))
        + QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
}
#endif

// Takes a drag that carries one local file, whatever it is over, and loads
// the file when it is dropped. It is only ever copied: a file manager that
// is told it was moved deletes the original.
class FileDropFilter : public QObject
{
public:
    explicit FileDropFilter(Tmainform1 *window)
        : QObject(window)
        , m_window(window)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        return TakeFileDrop(event) || QObject::eventFilter(watched, event);
    }

private:
    bool TakeFileDrop(QEvent *event)
    {
        if (event->type() != QEvent::DragEnter && event->type() != QEvent::DragMove && event->type() != QEvent::Drop)
            return false;
        auto *drop = static_cast<QDropEvent *>(event);
        const QList<QUrl> urls = drop->mimeData() ? drop->mimeData()->urls() : QList<QUrl>();
        if (urls.size() != 1 || !urls.first().isLocalFile() || !(drop->possibleActions() & Qt::CopyAction))
            return false;
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        if (event->type() == QEvent::Drop) {
            // Once the drop is over: its source waits for it, and would wait
            // behind a message box.
            Tmainform1 *window = m_window;
#ifdef Q_OS_UNIX
            QMetaObject::invokeMethod(
                window, [window, name = DroppedName(urls.first())] { window->LoadNamedFile(name); },
                Qt::QueuedConnection);
#else
            QMetaObject::invokeMethod(
                window, [window, fileName = urls.first().toLocalFile()] { window->LoadFile(fileName); },
                Qt::QueuedConnection);
#endif
        }
        return true;
    }

    Tmainform1 *m_window;
};

} // namespace

void LoadDroppedFiles(Tmainform1 *window)
{
    window->setAcceptDrops(true);
    auto *filter = new FileDropFilter(window);
    window->installEventFilter(filter);
    const auto children = window->findChildren<QWidget *>();
    for (QWidget *child : children) {
        if (child->acceptDrops())
            child->installEventFilter(filter);
    }
}
