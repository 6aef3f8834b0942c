#include "shell/language.h"

#include "shell/log.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace vellora {

Language languageFor(const QStringList &uiLanguages)
{
    for (const QString &name : uiLanguages) {
        if (name.startsWith(u"en"))
            return Language::English;
        if (name.startsWith(u"nl") || name == u"C" || name == u"POSIX")
            return Language::Dutch;
    }
    return Language::English;
}

Language installLanguage(Language language)
{
    // The translators live as long as the application; it keeps no ownership, so they are its children.
    auto *app = QCoreApplication::instance();
    auto *qtbase = new QTranslator(app);
    const bool english = language == Language::English;
    // Qt speaks English by itself; only Dutch needs its catalogue for the standard buttons.
    if (!english &&
        qtbase->load(QStringLiteral("qtbase_nl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtbase);
    if (!english)
        return Language::Dutch;
    auto *ours = new QTranslator(app);
    if (!ours->load(QStringLiteral(":/translations/vellora_en.qm"))) {
        qCWarning(lcShell) << "English asked for, but its catalogue is missing: Dutch it is";
        if (qtbase->load(QStringLiteral("qtbase_nl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qtbase);
        return Language::Dutch;
    }
    QCoreApplication::installTranslator(ours);
    return Language::English;
}

} // namespace vellora
