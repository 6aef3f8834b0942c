// Writes the manual page at build time, in Dutch or English, from the option table the usage text comes from,
// so that the two cannot drift apart.
#include "shell/commandline.h"
#include "shell/language.h"

#include <QCoreApplication>
#include <QSaveFile>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: vellora-manpage nl|en VERSION OUT\n");
        return 2;
    }
    const bool english = qstrcmp(argv[1], "en") == 0;
    vellora::installLanguage(english ? vellora::Language::English : vellora::Language::Dutch);
    QSaveFile out(QString::fromLocal8Bit(argv[3]));
    const QByteArray page = vellora::CommandLine::manualPage(QString::fromLocal8Bit(argv[2])).toUtf8();
    if (!out.open(QIODevice::WriteOnly) || out.write(page) != page.size() || !out.commit()) {
        std::fprintf(stderr, "vellora-manpage: %s\n", qPrintable(out.errorString()));
        return 1;
    }
    return 0;
}
