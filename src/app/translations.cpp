#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void InstallQtTranslations()
{
#ifdef Q_OS_WIN
    // Windows has no shared Qt catalogs to find: the program carries its own.
    const QString folder = QStringLiteral(":/qt-translations");
#else
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#endif
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
