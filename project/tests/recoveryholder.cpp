// A program that keeps a recovery copy and then runs until it is killed: the other side of the recovery tests.
// Arguments: the recovery folder and the grey level of the sheet it writes. Prints its copy's path once the
// copy is on disk.
#include "recoverystore.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    vellora::RecoveryStore store(QString::fromLocal8Bit(argv[1]));
    if (!store.claim())
        return 1;
    QImage sheet(3990, 1600, QImage::Format_RGB32);
    const int grey = QByteArray(argv[2]).toInt();
    sheet.fill(qRgb(grey, grey, grey));
    store.write(sheet);
    store.waitForWrites();
    QTextStream(stdout) << store.path() << Qt::endl;
    return QCoreApplication::exec();
}
