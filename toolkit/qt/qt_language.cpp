#include "toolkit/qt/qt_language.h"

#include <QGuiApplication>
#include <QTranslator>

// The resources of a static library are registered by hand.
static void RegisterTranslations()
{
    Q_INIT_RESOURCE(toolkit_translations);
}

namespace toolkit::qt_language {

void SpeakHebrew()
{
    RegisterTranslations();
    // Lives as long as the application; a translator must outlast its use.
    static QTranslator translator;
    if (translator.load(QStringLiteral(":/toolkit/translations/qtbase_he.qm"))) {
        QCoreApplication::installTranslator(&translator);
    }
    // The translation asks for right-to-left layouts; the window's places are fixed.
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
}

}  // namespace toolkit::qt_language
