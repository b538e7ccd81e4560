// The floor of any Qt command-line program: a process that starts QtCore's
// application object and ends. bench/report-vs-timewarrior.py measures the
// command-line report against it.
#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    return 0;
}
