#pragma once

#include "core/CriterionPage.h"
#include "engine/RunHost.h"

#include <QByteArrayList>
#include <QStringList>

#include <functional>

// A sort run's window as plain values, with a record of what the run showed and did.
struct FakeRunHost : RunHost {
    QByteArrayList files;
    int page = KeywordPage;
    QString keywords;
    NamePageFields name;
    SizePageFields size;
    DatePageFields date;
    ImagePageFields image;
    QString outDir;
    bool move = false;
    SameNamePolicy policy = SameNamePolicy::Overwrite;
    ExtensionFilterState filter;
    OverwriteAnswer overwriteAnswer = OverwriteAnswer::No;
    bool stop = false;
    // Called after every file the run processed; a test can change the inputs there, as a user could.
    std::function<void()> onProcessEvents;
    const Fs::CopyHooks* hooks = nullptr; // given to the run's copies

    QStringList messages;
    QStringList questions;
    QList<InputError> inputErrors;
    QList<RunReport> reports;
    QList<int> progress;
    QList<bool> locks;

    int fileCount() const override;
    QByteArray fileAt(int index) const override;
    int pageIndex() const override;
    QString keywordText() const override;
    NamePageFields namePage() const override;
    SizePageFields sizePage() const override;
    DatePageFields datePage() const override;
    ImagePageFields imagePage() const override;
    QString outputFolder() const override;
    void setOutputFolder(const QString& folder) override;
    bool moveMode() const override;
    SameNamePolicy sameNamePolicy() const override;
    OverwriteAnswer askOverwrite(const OverwriteQuestion& question) override;
    ExtensionFilterState extensionFilter() const override;
    void setRunLock(bool locked) override;
    void setProgress(int percent) override;
    void showProgress(int index, int count, const QByteArray& path) override;
    void processEvents() override;
    bool stopRequested() const override;
    void showMessage(const QString& text) override;
    // Records the report; a run that did not stop also shows its completion message.
    void showCompletion(const RunReport& report) override;
    void showInputError(const InputError& error) override;
    const Fs::CopyHooks* copyHooks() const override;
};
