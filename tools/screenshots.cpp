// Saves pictures of the program for the documentation into the folder given as argument: the main window on each
// criterion page with a list of files, the same-name question, the completion box with its details, the type-entry
// dialog, the About window, the preview of a run and the history of runs, in the language the program chooses from
// the environment (LANGUAGE=en: English). The program runs as a user called "user" would see it, with a home, a
// configuration and caches of its own, so that no setting and no path of the machine it runs on can show. Run it
// under a display (xvfb-run works) or with QT_QPA_PLATFORM=offscreen.

#include "SamplePlan.h"
#include "core/CriterionPage.h"
#include "engine/RunReport.h"
#include "engine/placement/Placement.h"
#include "filelist/FileListModel.h"
#include "journal/RunJournal.h"
#include "journal/Undo.h"
#include "ui/CompletionBox.h"
#include "ui/HistoryDialog.h"
#include "ui/MainWindows.h"
#include "ui/MessageBoxes.h"
#include "ui/OverwriteQuestionBox.h"
#include "ui/PreviewDialog.h"
#include "ui/Translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

// The user's home as the pictures show it. It need not exist: nothing is written there.
const QString kHome = u"/home/user"_s;

[[noreturn]] void fail(const QString& problem) {
    std::fprintf(stderr, "screenshots: %s\n", qPrintable(problem));
    std::exit(1);
}

// Everything the program would read or write of its own goes into private.
void usePrivateFolders(const QString& privateFolder) {
    for (const char* name : {"config", "cache", "runtime", "state"}) {
        QDir().mkpath(privateFolder + u'/' + QLatin1StringView(name));
    }
    ::chmod(QFile::encodeName(privateFolder + u"/runtime"_s).constData(), 0700);
    qputenv("HOME", QFile::encodeName(kHome));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(privateFolder + u"/config"_s));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(privateFolder + u"/cache"_s));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(privateFolder + u"/runtime"_s));
    qputenv("XDG_STATE_HOME", QFile::encodeName(privateFolder + u"/state"_s));
    // Times show the same wherever the pictures are made.
    qputenv("TZ", "UTC");
}

// A file with content, modified on 10 February 2024 at 9:30 UTC, so that the pictures stay the same from run to run.
QByteArray makeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        fail(u"cannot write "_s + path);
    }
    file.close();
    const QByteArray bytes = QFile::encodeName(path);
    const struct timespec times[2] = {{1707557400, 0}, {1707557400, 0}};
    ::utimensat(AT_FDCWD, bytes.constData(), times, 0);
    return bytes;
}

class Pictures {
public:
    explicit Pictures(const QString& folder) : m_folder(folder) {}

    void save(QWidget& window, const QString& name) const {
        window.show();
        QApplication::processEvents();
        const QString file = m_folder.filePath(name + u".png"_s);
        if (!window.grab().save(file)) {
            fail(u"cannot save "_s + file);
        }
    }

    // Runs open, which shows a modal box, and takes the picture of the box once it is up; then closes it.
    void saveModal(const QString& name, const std::function<void()>& open,
                   const std::function<void(QMessageBox&)>& prepare = {}) const {
        QTimer::singleShot(100, [this, name, prepare] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) {
                fail(u"no box for "_s + name);
            }
            if (prepare) {
                prepare(*box);
            }
            save(*box, name);
            box->close();
        });
        open();
    }

private:
    QDir m_folder;
};

// The files of the pictures, named as a user of the program's language names them: Chinese names in the Chinese
// pictures, English names in the English ones.
struct SampleFiles {
    QByteArrayList paths;
    QString keywords;
    QByteArray questionTarget;
    QByteArrayList failed;
};

SampleFiles sampleFiles() {
    if (WindowsSpeakChinese()) {
        return {{"/home/user/下载/发票 2024-03.pdf", "/home/user/下载/会议纪要.docx", "/home/user/下载/旅行计划.xlsx",
                 "/home/user/图片/2024 春节/IMG_2041.jpg", "/home/user/图片/2024 春节/IMG_2042.jpg",
                 "/home/user/图片/2024 春节/IMG_2043.heic", "/home/user/图片/旅行/杭州 西湖.png",
                 "/home/user/图片/旅行/旅行视频.mp4", "/home/user/文档/报告 终稿.docx"},
                u"春节 旅行 发票"_s,
                "/home/user/Varnoth/春节/IMG_2041.jpg",
                {"/home/user/下载/合同扫描.pdf", "/home/user/图片/2024 春节/IMG_2077.jpg"}};
    }
    return {{"/home/user/Downloads/invoice 2024-03.pdf", "/home/user/Downloads/meeting notes.docx",
             "/home/user/Downloads/travel plan.xlsx", "/home/user/Pictures/holiday 2024/IMG_2041.jpg",
             "/home/user/Pictures/holiday 2024/IMG_2042.jpg", "/home/user/Pictures/holiday 2024/IMG_2043.heic",
             "/home/user/Pictures/travel/lake view.png", "/home/user/Pictures/travel/travel video.mp4",
             "/home/user/Documents/report final.docx"},
            u"holiday travel invoice"_s,
            "/home/user/Varnoth/holiday/IMG_2041.jpg",
            {"/home/user/Downloads/contract scan.pdf", "/home/user/Pictures/holiday 2024/IMG_2077.jpg"}};
}

void fillMainWindow(MainWindow& form, const SampleFiles& samples) {
    form.fileList().AppendUnique(samples.paths);
    form.findChild<QLineEdit*>(u"EdtKeys"_s)->setText(samples.keywords);
    form.findChild<QCheckBox*>(u"ChkInclude"_s)->setChecked(true);
    form.findChild<QListWidget*>(u"ListBox2"_s)
        ->addItems({u"*.jpg"_s, u"*.jpeg"_s, u"*.png"_s, u"*.gif"_s, u"*.heic"_s, u"*.webp"_s, u"*.pdf"_s, u"*.docx"_s,
                    u"*.xlsx"_s, u"*.mp4"_s, u"*.mov"_s, u"*.zip"_s});
}

// A run's end as the completion box shows it, with two failed files and their reasons.
RunReport sampleReport(const SampleFiles& samples) {
    RunReport report;
    report.failed = 2;
    report.placed = 41;
    report.left = 3;
    report.filtered = 4;
    report.notMatching = 3;
    report.failures = {{samples.failed[0], FailureReason::WriteProtected, {}},
                       {samples.failed[1], FailureReason::NoSpace, {}}};
    return report;
}

// Journals of four runs on 1 May 2024 from 9:00 UTC, an hour apart: complete, stopped, cut off and undone. They hold
// no steps; the history shows what their first and last records say.
void makeSampleHistory() {
    const JournalFolder folder = JournalFolder::standard();
    const int listSizes[] = {1284, 356, 9120, 42};
    for (int run = 0; run < 4; ++run) {
        RunHeader header;
        header.page = run == 1 ? TypePage : KeywordPage;
        header.move = run >= 2;
        header.startNs = (1714554000LL + run * 3600LL) * 1000000000LL;
        header.listSize = listSizes[run];
        Fs::Result<std::unique_ptr<RunJournal>> started = RunJournal::start(folder, header);
        if (started.failed()) {
            fail(u"cannot write a journal"_s);
        }
        std::unique_ptr<RunJournal> journal = std::move(*started);
        const int size = listSizes[run];
        if (run == 0) {
            (void)journal->finish({false, {2, size - 40, 12, 20, 6}});
        } else if (run == 1) {
            (void)journal->finish({true, {0, 200, 0, 0, 0}});
        } else if (run == 3) {
            (void)journal->finish({false, {0, size, 0, 0, 0}});
            const QByteArray id = journal->id();
            journal.reset();
            UndoRun(folder, id);
        }
    }
}

void clickDetailsButton(QMessageBox& box) {
    for (QAbstractButton* button : box.findChildren<QAbstractButton*>()) {
        if (box.buttonRole(button) == QMessageBox::ActionRole && button->objectName() != u"BtnOpenOutDir"_s) {
            button->click();
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QTemporaryDir privateFolder;
    if (!privateFolder.isValid()) {
        fail(u"no temporary folder"_s);
    }
    usePrivateFolders(privateFolder.path());
    QApplication application(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);
    const Pictures pictures(QString::fromLocal8Bit(argv[1]));

    MainWindows windows;
    const SampleFiles samples = sampleFiles();
    fillMainWindow(windows.mainWindow, samples);
    auto* pages = windows.mainWindow.findChild<QTabWidget*>(u"PageControl1"_s);
    for (int page = KeywordPage; page < PageCount; ++page) {
        pages->setCurrentIndex(page);
        pictures.save(windows.mainWindow, u"page-%1"_s.arg(page));
    }
    pages->setCurrentIndex(KeywordPage);

    // The two files of the question are real, so that the box can compare them; its text names them as the user
    // would see them.
    const QByteArray existing = makeFile(privateFolder.filePath(u"existing.jpg"_s), QByteArray(2'483'911, 'x'));
    const QByteArray incoming = makeFile(privateFolder.filePath(u"incoming.jpg"_s), QByteArray(2'483'911, 'x'));
    const QString question = OverwriteQuestionText(samples.questionTarget);
    pictures.saveModal(u"same-name-question"_s, [&] {
        AskOverwrite(&windows.mainWindow, {question, existing, incoming});
    });

    // The button that opens the output folder shows where the folder exists; the box does not show its path.
    pictures.saveModal(
        u"completion"_s,
        [&] { ShowCompletionBox(&windows.mainWindow, sampleReport(samples), QFile::encodeName(privateFolder.path())); },
        clickDetailsButton);

    pictures.save(windows.typeEntry, u"type-dialog"_s);
    pictures.save(windows.about, u"about"_s);

    std::optional<SortPlan> plan = SamplePicturePlan(privateFolder.filePath(u"sample"_s), QFile::encodeName(kHome));
    if (!plan) {
        fail(u"no sample plan"_s);
    }
    PreviewDialog preview(std::move(*plan), &windows.mainWindow);
    pictures.save(preview, u"preview"_s);
    makeSampleHistory();
    HistoryDialog history(JournalFolder::standard(), windows.mainWindow.pageNames(), &windows.mainWindow);
    pictures.save(history, u"history"_s);
    return 0;
}
