// A sort through the real main window, offscreen, in a process of its own, so that a test can have the kernel refuse
// its writes (a file-size limit) or run it as another user (permission bits). Usage:
//
//   window_sort_helper [--file-size-limit BYTES] [--pause-after-listing] [--idle] [--page N] [--out FOLDER]
//                      [--mode copy|move] [--policy RbOverwrite|RbAsk|RbSkip|RbRename] [--text CONTROL=TEXT]...
//                      -- FILE...
//
// The files go into the file list, the options into the controls named, and then the start button is clicked; with
// --idle it is not, and the helper runs the event loop until the window closes. The limit is set just before the
// click. Every message box is reported on stdout as one JSON object a line: {"event":"question","text":...} for the
// overwrite question, {"event":"message","text":...} for the others, and, with --pause-after-listing,
// {"event":"listed"} once the list is filled; with --idle, {"event":"idle"} once the loop runs. After "listed" and
// after a question the helper waits for one line on stdin; "yes" answers a question with Yes, anything else with No.
// Termination signals end the helper as they end the program.

#include "core/CriterionPage.h"
#include "filelist/FileListModel.h"
#include "testsupport/Controls.h"
#include "ui/CloseOnSignal.h"
#include "ui/MainWindows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMessageBox>
#include <QTabWidget>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

struct Request {
    qint64 fileSizeLimit = -1;
    bool pauseAfterListing = false;
    bool idle = false;
    int page = KeywordPage;
    QByteArray outDir;
    bool move = false;
    QString policy = Control::RbSkip;
    QList<std::pair<QString, QString>> texts;
    QByteArrayList files;
};

[[noreturn]] void usage(const char* problem) {
    std::fprintf(stderr, "window_sort_helper: %s\n", problem);
    std::exit(2);
}

// Arguments are taken as bytes, before QApplication sees them, so that file names need not be valid text.
Request parseArguments(int argc, char** argv) {
    Request request;
    int i = 1;
    const auto value = [&]() -> QByteArray {
        if (i + 1 >= argc) {
            usage("an option lacks its value");
        }
        return QByteArray(argv[++i]);
    };
    for (; i < argc; ++i) {
        const QByteArray option(argv[i]);
        if (option == "--") {
            break;
        }
        if (option == "--file-size-limit") {
            request.fileSizeLimit = value().toLongLong();
        } else if (option == "--pause-after-listing") {
            request.pauseAfterListing = true;
        } else if (option == "--idle") {
            request.idle = true;
        } else if (option == "--page") {
            request.page = value().toInt();
        } else if (option == "--out") {
            request.outDir = value();
        } else if (option == "--mode") {
            request.move = value() == "move";
        } else if (option == "--policy") {
            request.policy = QString::fromUtf8(value());
        } else if (option == "--text") {
            const QString assignment = QString::fromUtf8(value());
            const qsizetype equals = assignment.indexOf(u'=');
            if (equals < 0) {
                usage("--text needs CONTROL=TEXT");
            }
            request.texts.append({assignment.left(equals), assignment.mid(equals + 1)});
        } else {
            usage("unknown option");
        }
    }
    for (++i; i < argc; ++i) {
        request.files.append(QByteArray(argv[i]));
    }
    return request;
}

void report(const QString& event, const QString& text = {}) {
    QJsonObject line{{u"event"_s, event}};
    if (!text.isNull()) {
        line.insert(u"text"_s, text);
    }
    std::cout << QJsonDocument(line).toJson(QJsonDocument::Compact).toStdString() << std::endl;
}

// Blocks until the test answers; an ended input counts as an empty answer.
std::string awaitReply() {
    std::string reply;
    std::getline(std::cin, reply);
    return reply;
}

// Reports and answers every message box the run shows, from inside the event loop that box runs.
void answerMessageBoxes(QTimer& poll) {
    QObject::connect(&poll, &QTimer::timeout, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            return;
        }
        if (box->icon() == QMessageBox::Question) {
            report(u"question"_s, box->text());
            box->button(awaitReply() == "yes" ? QMessageBox::Yes : QMessageBox::No)->click();
        } else {
            report(u"message"_s, box->text());
            box->button(QMessageBox::Ok)->click();
        }
    });
    poll.start(5);
}

void limitFileSize(qint64 bytes) {
    const rlimit limit{rlim_t(bytes), rlim_t(bytes)};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
        usage("cannot set the file-size limit");
    }
}

} // namespace

int main(int argc, char** argv) {
    const Request request = parseArguments(argc, argv);
    // As the program does: a write over the limit then fails with EFBIG instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);

    QApplication application(argc, argv);
    MainWindows windows;
    CloseOnTerminationSignals closeOnSignal([&windows] { windows.closeAll(); });
    MainWindow& window = windows.mainWindow;
    window.show();

    window.fileList().AppendUnique(request.files);
    FindControl<QTabWidget>(window, Control::PageControl1)->setCurrentIndex(request.page);
    for (const auto& [control, text] : request.texts) {
        FindControl<QLineEdit>(window, control)->setText(text);
    }
    FindControl<QLineEdit>(window, Control::EdtOutDir)->setText(QFile::decodeName(request.outDir));
    FindControl<QAbstractButton>(window, request.move ? Control::RbMove : Control::RbCopy)->click();
    FindControl<QAbstractButton>(window, request.policy)->click();
    QApplication::processEvents();

    if (request.pauseAfterListing) {
        report(u"listed"_s);
        awaitReply();
    }
    QTimer poll;
    answerMessageBoxes(poll);
    if (request.idle) {
        QTimer::singleShot(0, [] { report(u"idle"_s); });
        return QApplication::exec();
    }
    if (request.fileSizeLimit >= 0) {
        limitFileSize(request.fileSizeLimit);
    }
    FindControl<QAbstractButton>(window, Control::BtnCopy)->click();
    return 0;
}
