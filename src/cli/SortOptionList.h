#pragma once

#include <QCommandLineOption>
#include <QList>

// The options of "varnoth sort", one table for the parser and the help.
QList<QCommandLineOption> SortOptionList();

// The options that take no part in a sort: --help and --version.
QCommandLineOption HelpOption();
QCommandLineOption VersionOption();

// The help: the grammar and one line for every option.
QString HelpText();
