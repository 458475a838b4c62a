#pragma once

#include "EngineSort.h"
#include "KeywordSortTree.h"
#include "journal/JournalRecorder.h"

#include <cstdio>
#include <cstdlib>

// The keyword sort of the benchmark tree through the engine, journaled as every real run is, or bare.

// A run's host whose runs are journaled in journals, or not at all when it is empty.
struct JournaledSortHost : FakeRunHost {
    QByteArray journals;
    RecordingStart startRecording(const RunDescription& run) override {
        if (journals.isEmpty()) {
            return {};
        }
        Fs::Result<std::unique_ptr<JournalRecorder>> recorder = StartJournal(run, JournalFolder(journals));
        if (recorder.failed()) {
            std::fprintf(stderr, "cannot journal in %s\n", journals.constData());
            std::exit(1);
        }
        return {true, std::move(*recorder)};
    }
};

// The keyword sort of files into outDir, by copy or move, journaled in journals unless it is empty.
inline JournaledSortHost KeywordSortHost(const QByteArrayList& files, const QString& outDir, bool move,
                                         const QByteArray& journals) {
    JournaledSortHost host;
    host.files = files;
    host.inputs.outputFolder = outDir;
    host.inputs.move = move;
    host.inputs.keywords = kKeywordSortKeywords;
    host.journals = journals;
    return host;
}

// One copy of files into the new folder outDir.
inline double KeywordCopySeconds(const QByteArrayList& files, const QString& outDir, const QByteArray& journals) {
    return EngineSortSeconds(KeywordSortHost(files, outDir, false, journals));
}

// One move of a fresh tree made under sourceRoot into a new folder named name under outRoot; making the tree is not
// timed.
inline double KeywordMoveSeconds(const QString& sourceRoot, const QString& outRoot, const QString& name,
                                 const QByteArray& journals) {
    const QByteArrayList files = MakeKeywordSortTree(QStringLiteral("%1/%2-src").arg(sourceRoot, name));
    SettleDisk();
    return EngineSortSeconds(KeywordSortHost(files, QStringLiteral("%1/%2").arg(outRoot, name), true, journals));
}
