#pragma once

#include "core/EmbeddedTranslations.h"
#include "engine/RunReport.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>

// The command line's own texts. Their source language is English, as command-line tools speak; they go through
// Qt's translation under the context "CommandLine" (CommandLine::tr), apart from the window's Chinese texts.
class CommandLine {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

// True when the command line speaks Chinese: the user's first language is Chinese (zh*). Every other language,
// and the C and POSIX locales of cron jobs and timers, get English.
bool CommandLineSpeaksChinese(const QStringList& uiLanguages = QLocale::system().uiLanguages());

// The command line's language, installed in the application while an object of this class lives: its own texts in
// Chinese when it speaks Chinese; otherwise the engine's Chinese texts that it passes on (a run's messages) in English.
class CommandLineTranslation {
public:
    CommandLineTranslation();
    CommandLineTranslation(const CommandLineTranslation&) = delete;
    CommandLineTranslation& operator=(const CommandLineTranslation&) = delete;

private:
    EmbeddedTranslations m_translations;
};

// A value of an enumeration in the command line's language: its words (the window's text) in Chinese, its
// untranslated code in English.
QString WordsOrCode(const QString& words, const char* code);

// A failure reason in the command line's language (WordsOrCode).
QString FailureReasonWords(FailureReason reason);
