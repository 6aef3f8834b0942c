// Writes the program's data folders (Data, Backgrounds, Projecten, Help, Artwork) into the folder given
// as the only argument, or with --icons the desktop's icons into the folder after it. Run at build time
// under the offscreen platform.

#include "appdata/src/appdata.h"

#include <QGuiApplication>
#include <QHashSeed>
#include <QTextStream>

int main(int argc, char **argv)
{
    QHashSeed::setDeterministicGlobalSeed(); // before anything hashes: see generateAll()
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    QTextStream err(stderr);
    if (args.size() == 3 && args.at(1) == QLatin1String("--icons")) {
        const appdata::Outcome written = appdata::writeDesktopIcons(args.at(2));
        if (written)
            return 0;
        err << "vellora-appdata-gen: " << written.reason() << '\n';
        return 1;
    }
    if (args.size() != 2) {
        err << "usage: vellora-appdata-gen <application folder> | --icons <folder>\n";
        return 2;
    }
    const appdata::Result<QStringList> files = appdata::generateAll(args.at(1));
    if (!files) {
        err << "vellora-appdata-gen: " << files.outcome().reason() << '\n';
        return 1;
    }
    return 0;
}
