#pragma once

#include "engine/RunHost.h"

#include <QByteArrayList>
#include <QStringList>

#include <functional>

// A sort run's window as plain values, with a record of what the run showed and did.
struct FakeRunHost : RunHost {
    QByteArrayList files;
    int page = 0;
    QString keywords;
    NamePageFields name;
    SizePageFields size;
    DatePageFields date;
    ImagePageFields image;
    QString outDir;
    bool move = false;
    SameNamePolicy policy = SameNamePolicy::Overwrite;
    ExtensionFilterState filter;
    bool overwriteAnswer = false;
    bool stop = false;
    // Called after every file the run processed; a test can change the inputs there, as a user could.
    std::function<void()> onProcessEvents;

    QStringList messages;
    QStringList questions;
    QList<InputError> inputErrors;
    QList<int> progress;
    QList<bool> locks;

    int fileCount() const override { return int(files.size()); }
    QByteArray fileAt(int index) const override { return files.at(index); }
    int pageIndex() const override { return page; }
    QString keywordText() const override { return keywords; }
    NamePageFields namePage() const override { return name; }
    SizePageFields sizePage() const override { return size; }
    DatePageFields datePage() const override { return date; }
    ImagePageFields imagePage() const override { return image; }
    QString outputFolder() const override { return outDir; }
    void setOutputFolder(const QString& folder) override { outDir = folder; }
    bool moveMode() const override { return move; }
    SameNamePolicy sameNamePolicy() const override { return policy; }
    bool askOverwrite(const QString& question) override {
        questions.append(question);
        return overwriteAnswer;
    }
    ExtensionFilterState extensionFilter() const override { return filter; }
    void setRunLock(bool locked) override { locks.append(locked); }
    void setProgress(int percent) override { progress.append(percent); }
    void processEvents() override {
        if (onProcessEvents) {
            onProcessEvents();
        }
    }
    bool stopRequested() const override { return stop; }
    void showMessage(const QString& text) override { messages.append(text); }
    void showInputError(const InputError& error) override {
        messages.append(error.message);
        inputErrors.append(error);
    }
};
