// The other side of the recovery tests: keeps a recovery copy in the folder given (of a sheet of the grey
// level given), prints its path once it is on disk, and runs until it is killed.
#include "project/recoverystore.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    vellora::RecoveryStore store(QString::fromLocal8Bit(argc == 3 ? argv[1] : ""));
    if (argc != 3 || !store.claim())
        return 1;
    QImage sheet(3990, 1600, QImage::Format_RGB32);
    sheet.fill(qRgb(atoi(argv[2]), atoi(argv[2]), atoi(argv[2])));
    store.write(sheet);
    store.waitForWrites();
    QTextStream(stdout) << store.path() << Qt::endl;
    return QCoreApplication::exec();
}
