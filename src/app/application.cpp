#include "app/application.h"

#include "app/platform.h"
#include "app/translations.h"

#include <QApplication>
#include <QFont>
#include <QProxyStyle>
#include <QStyleFactory>

// The icon lives in a static library, whose resources nothing else pulls in.
// Q_INIT_RESOURCE declares a function, so it may not stand inside a namespace.
static void InitResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace {

// The classic unthemed look; masked edits show "*", as the old tool did,
// rather than the style's bullet.
class FormStyle : public QProxyStyle
{
public:
    FormStyle()
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Windows")))
    {
    }

    int styleHint(
        StyleHint hint, const QStyleOption *option, const QWidget *widget, QStyleHintReturn *returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// The face is rare outside Chinese Windows, and fontconfig left to itself
// maps it to a wide sans face, which runs the labels under their boxes.
// WenQuanYi's Mono cut has SimSun's half-width Latin, so the captions fit as
// drawn; all of these carry Latin with diacritics and Cyrillic.
void SubstituteFontFace()
{
    const QString face = FormFontFace.toString();
    if (!QFont::substitutes(face).isEmpty())
        return;
    QFont::insertSubstitutions(face,
        { QStringLiteral("SimSun"), QStringLiteral("NSimSun"), QStringLiteral("WenQuanYi Zen Hei Mono"),
            QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("DejaVu Sans") });
}

// Set for the whole application before the controls are made: restyling
// every control afterwards would cost a third of the start-up time. The
// file dialogs and message boxes then share the classic look.
void UseFormStyle()
{
    if (!dynamic_cast<FormStyle *>(QApplication::style()))
        QApplication::setStyle(new FormStyle);
}

} // namespace

void PrepareApplication()
{
    InitResources();
    AddCarriedFonts();
    SubstituteFontFace();
    UseFormStyle();
    InstallQtTranslations();
    // Lets Wayland desktops match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("trailcam-settings"));
}
