#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void InstallQtTranslations()
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // qtbase holds every text of Qt Widgets; a deployment that merged Qt's
    // catalogs ships them as qt_* instead.
    for (const QString &catalog : { QStringLiteral("qtbase"), QStringLiteral("qt") }) {
        auto *translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(QLocale::system(), catalog, QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator);
            return;
        }
        delete translator;
    }
}
