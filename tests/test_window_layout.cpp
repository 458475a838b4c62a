#include "core/CriterionPage.h"
#include "testsupport/WindowTest.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
// The controls a user reads or works: everything but the frames, panels and pages that hold them.
bool isControl(const QWidget* widget) {
    return !widget->objectName().isEmpty() && !widget->objectName().startsWith(u"qt_"_s) &&
           (qobject_cast<const QLabel*>(widget) || qobject_cast<const QAbstractButton*>(widget) ||
            qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QAbstractItemView*>(widget) ||
            qobject_cast<const QComboBox*>(widget) || qobject_cast<const QDateTimeEdit*>(widget) ||
            qobject_cast<const QProgressBar*>(widget));
}
} // namespace

// The main window's layout, measured at its default size and at a larger one, on every page.
class TestWindowLayout : public WindowTest {
    Q_OBJECT
private:
    QRect inWindow(const QWidget* widget) { return QRect(widget->mapTo(&mainWindow(), QPoint(0, 0)), widget->size()); }
    QList<QWidget*> visibleControls() {
        QList<QWidget*> controls;
        for (QWidget* widget : mainWindow().findChildren<QWidget*>()) {
            if (isControl(widget) && widget->isVisibleTo(&mainWindow())) {
                controls.append(widget);
            }
        }
        return controls;
    }
    void showAt(const QSize& size) {
        mainWindow().resize(size);
        QTest::qWait(0);
        QCOMPARE(mainWindow().size(), size);
    }

private slots:
    // A dozen types, one of them long, added one after the other as the user adds them.
    void init() {
        WindowTest::init();
        for (const QString& type :
             {u"*.jpg"_s, u"*.jpeg"_s, u"*.png"_s, u"*.gif"_s, u"*.heic"_s, u"*.webp"_s, u"*.pdf"_s, u"*.docx"_s,
              u"*.xlsx"_s, u"*.mp4"_s, u"*.mov"_s, u"*.torrent-download"_s}) {
            control<QListWidget>(Control::ListBox2)->addItem(type);
            QTest::qWait(0);
        }
    }

    void controlsNeitherOverlapNorShrink_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("default size") << QSize(838, 610);
        QTest::newRow("larger") << QSize(1200, 900);
    }
    void controlsNeitherOverlapNorShrink() {
        QFETCH(QSize, size);
        showAt(size);
        auto* pages = control<QTabWidget>(Control::PageControl1);
        for (int page = KeywordPage; page < PageCount; ++page) {
            pages->setCurrentIndex(page);
            QTest::qWait(0);
            QCOMPARE(mainWindow().size(), size);
            const QList<QWidget*> controls = visibleControls();
            for (QWidget* widget : controls) {
                const QString name = pages->tabText(page) + u": "_s + widget->objectName();
                // Each control lies whole inside the window and, unless it scrolls, is as tall as it needs to be.
                QVERIFY2(mainWindow().rect().contains(inWindow(widget)), qPrintable(name));
                QVERIFY2(qobject_cast<QAbstractItemView*>(widget) ||
                             widget->height() >= widget->minimumSizeHint().height(),
                         qPrintable(name));
                for (QWidget* other : controls) {
                    if (other != widget && !widget->isAncestorOf(other) && !other->isAncestorOf(widget)) {
                        QVERIFY2(!inWindow(widget).intersects(inWindow(other)),
                                 qPrintable(name + u" overlaps "_s + other->objectName()));
                    }
                }
            }
        }
        // The output folder's field and button keep their natural height.
        for (const QString& name : {Control::EdtOutDir, Control::Button3}) {
            QCOMPARE(control(name)->height(), control(name)->sizeHint().height());
        }
    }

    // Every entry of the type list as wide as its text needs: nothing is cut short, and the first row shows.
    void theTypeListShowsEveryEntryInFull_data() { controlsNeitherOverlapNorShrink_data(); }
    void theTypeListShowsEveryEntryInFull() {
        QFETCH(QSize, size);
        showAt(size);
        auto* list = control<QListWidget>(Control::ListBox2);
        const int margins = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
        for (int row = 0; row < list->count(); ++row) {
            const QListWidgetItem* item = list->item(row);
            QVERIFY2(list->visualItemRect(item).width() >=
                         list->fontMetrics().horizontalAdvance(item->text()) + margins,
                     qPrintable(item->text()));
        }
        QVERIFY(list->viewport()->rect().contains(list->visualItemRect(list->item(0))));
    }

    // Turning the pages changes neither the window's size nor where the tabs are, in either language (this test also
    // runs under LANGUAGE=en).
    void pagesKeepTheWindowAndTheTabsInPlace() {
        mainWindow().show();
        QTest::qWait(0);
        auto* pages = control<QTabWidget>(Control::PageControl1);
        const QSize size = mainWindow().size();
        const QRect tabs = inWindow(pages->tabBar());
        for (int page = KeywordPage; page < PageCount; ++page) {
            pages->setCurrentIndex(page);
            QTest::qWait(0);
            QCOMPARE(mainWindow().size(), size);
            QCOMPARE(inWindow(pages->tabBar()), tabs);
        }
    }

    // A taller window gives its extra height to the file list, not to the criterion page.
    void extraHeightGoesToTheFileList() {
        const int listHeight = control(Control::ListBox1)->height();
        const int pageHeight = control(Control::PageControl1)->height();
        showAt(QSize(838, 810));
        QCOMPARE(control(Control::ListBox1)->height(), listHeight + 200);
        QCOMPARE(control(Control::PageControl1)->height(), pageHeight);
    }
};

QTEST_MAIN(TestWindowLayout)
#include "test_window_layout.moc"
