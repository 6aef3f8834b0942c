// Writes the program's data folders (Data, Backgrounds, Projecten, Help, Artwork) into the folder given
// as the only argument. Run at build time under the offscreen platform.

#include "appdata.h"

#include <QGuiApplication>
#include <QHashSeed>
#include <QTextStream>

int main(int argc, char **argv)
{
    QHashSeed::setDeterministicGlobalSeed(); // before anything hashes: see generateAll()
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    QTextStream err(stderr);
    if (args.size() != 2) {
        err << "usage: vellora-appdata-gen <application folder>\n";
        return 2;
    }
    QString error;
    const QStringList files = appdata::generateAll(args.at(1), &error);
    if (files.isEmpty()) {
        err << "vellora-appdata-gen: " << error << '\n';
        return 1;
    }
    return 0;
}
