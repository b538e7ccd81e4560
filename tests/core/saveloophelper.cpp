// Saves current.lst and favorites.lst in a loop, alternating between two
// versions, until it is killed: the crash-safety test kills it at random
// moments. Prints "SAVED <n>" after each file written.
//   saveloophelper <data folder>
#include "saveloopcontent.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    using namespace ryv;
    using namespace ryv::saveloop;
    const QString folder = QCoreApplication::arguments().value(1);
    const TEntries day[2] = { DayEntries(0), DayEntries(1) };
    TRyvItemList favs[2];
    FillList(0, favs[0]);
    FillList(1, favs[1]);
    QTextStream out(stdout);
    for (int n = 1;; ++n) {
        const int version = n % 2;
        QString error;
        if (!WriteDayFile(
                folder + QStringLiteral("/current.lst"), Pointers(day[version]), nullptr, &error)
            || !WriteListFile(
                folder + QStringLiteral("/favorites.lst"), favs[version], -1, &error)) {
            out << "FAILED " << error << Qt::endl;
            return 1;
        }
        out << "SAVED " << n << Qt::endl;
    }
}
