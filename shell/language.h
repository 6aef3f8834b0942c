#pragma once

#include <QStringList>

namespace vellora {

// The languages Vellora speaks. Its texts are written in Dutch; English comes from translations/.
enum class Language
{
    Dutch,
    English
};

// The first of the system's languages (QLocale::system().uiLanguages(), which follows LANGUAGE, LC_ALL,
// LC_MESSAGES and LANG) that Vellora has: English for en*, Dutch for nl* and for the C/POSIX locale, so that
// every setting that gave Dutch before still does; English when the system names only languages it lacks,
// as most who do not read Dutch read English.
Language languageFor(const QStringList &uiLanguages);

// Installs the translations of `language` in the running application, Qt's own standard buttons included
// (Ja/Nee/Annuleren or Yes/No/Cancel). Returns the language installed: Dutch when English is asked for but
// its catalogue cannot be loaded.
Language installLanguage(Language language);

} // namespace vellora
