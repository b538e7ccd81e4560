#pragma once

#include "core/datetime.h"
#include "reports/exporttext.h"
#include "reports/reportperiods.h"

#include <QString>
#include <QStringList>

namespace ryv {

enum class TCliCommand { Report, Export, Help, Version };

// One run of the command line, as the user asked for it.
struct TCliRequest final {
    TCliCommand command = TCliCommand::Help;
    TReportPeriod period; // report: the days and the window's period text
    TDateTime day = 0; // export: midnight of the day
    TExportType format = TExportType::Html;
    bool daily = false; // --daily, where the period leaves the choice open
    bool groups = false;
    QString output; // empty: standard output ("--output -" included)
};

// Exit codes of the command line.
constexpr int ExitOk = 0;
constexpr int ExitWriteFailed = 1;
constexpr int ExitBadInput = 2;

// Whether these arguments (without the program name) ask for the command
// line rather than the window. The window program takes no arguments of its
// own, but keeps Qt's: a session manager restarts it with "-session".
bool IsCommandLine(const QStringList& arguments);

// Reads the arguments (without the program name) at now. False with a one
// line message naming the fault (an unknown command, option, period, format,
// a date that does not exist) when they cannot be used.
bool ParseCommandLine(
    const QStringList& arguments, TDateTime now, TCliRequest& request, QString& error);

// The text --help prints.
QString CommandLineHelp();

} // namespace ryv
