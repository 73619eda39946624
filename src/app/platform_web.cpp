#include "app/platform.h"

#include <QApplication>
#include <QFontDatabase>
#include <QScreen>
#include <QString>
#include <QStyle>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>

// The form's face, cut to the characters the form can show, under the family
// name the form's font already falls back to.
static void InitFormFace()
{
    Q_INIT_RESOURCE(formface);
}

void AddCarriedFonts()
{
    InitFormFace();
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/formface.ttf"));
}

namespace {

// Gives the focus back to the main window once another window has closed, if
// none has it.
class RefocusAfterClose : public QObject
{
public:
    explicit RefocusAfterClose(QWidget &window)
        : QObject(&window)
        , m_window(window)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide && watched != &m_window && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->isWindow()) {
            QTimer::singleShot(0, &m_window, [this] {
                const QWindow *focus = QGuiApplication::focusWindow();
                if ((!focus || !focus->isVisible()) && m_window.isVisible())
                    m_window.activateWindow();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget &m_window;
};

} // namespace

void ShowMainWindow(QWidget &window)
{
    // Centred with its title bar, now and whenever the page's screen changes
    // size (the browser's window resized, the canvas laid out late). Qt's
    // page would show it full screen unless asked otherwise.
    window.showNormal();
    QScreen *screen = window.screen();
    const auto centre = [&window, screen] {
        const QMargins frame = window.windowHandle()->frameMargins();
        const QRect outer = QStyle::alignedRect(
            Qt::LeftToRight, Qt::AlignCenter, window.size().grownBy(frame), screen->availableGeometry());
        window.setGeometry(outer.marginsRemoved(frame));
    };
    centre();
    QObject::connect(screen, &QScreen::availableGeometryChanged, &window, centre);
    // Qt's page gives the focus back to no window when a message closes (a
    // deleted one it forgets without a word), and the keys (Ctrl+O, Ctrl+S,
    // Tab) would go nowhere.
    qApp->installEventFilter(new RefocusAfterClose(window));
}

namespace {

std::function<void(const QString &, const QByteArray &)> &DropTaker()
{
    static std::function<void(const QString &, const QByteArray &)> take;
    return take;
}

std::function<bool()> &UnsavedAsker()
{
    static std::function<bool()> ask;
    return ask;
}

// Called by the page's drop handler with the file's name and all its bytes.
void LoadDroppedFile(const std::string &name, const emscripten::val &bytes)
{
    const auto length = bytes["length"].as<std::size_t>();
    QByteArray data(static_cast<qsizetype>(length), Qt::Uninitialized);
    emscripten::val(emscripten::typed_memory_view(length, reinterpret_cast<unsigned char *>(data.data())))
        .call<void>("set", bytes);
    // Out of the page's event handler, into Qt's event loop.
    QTimer::singleShot(0, [fileName = QString::fromStdString(name), data] {
        if (DropTaker())
            DropTaker()(fileName, data);
    });
}

bool HasUnsavedChanges()
{
    return UnsavedAsker() && UnsavedAsker()();
}

} // namespace

EMSCRIPTEN_BINDINGS(trailcam_page)
{
    emscripten::function("loadDroppedFile", &LoadDroppedFile);
    emscripten::function("hasUnsavedChanges", &HasUnsavedChanges);
}

void ConnectPage(std::function<void(const QString &, const QByteArray &)> load, std::function<bool()> unsaved)
{
    DropTaker() = std::move(load);
    UnsavedAsker() = std::move(unsaved);
}
