#include "app/platform.h"

#include <QFontDatabase>
#include <QScreen>
#include <QString>
#include <QStyle>
#include <QTimer>
#include <QWidget>

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

void ShowMainWindow(QWidget &window)
{
    // The form itself centred, its title bar above it: a page's tests find
    // each control at the same place from the screen's middle.
    if (const QScreen *screen = window.screen())
        window.setGeometry(
            QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(), screen->availableGeometry()));
    window.show();
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
