#include "testsupport/VisibleTexts.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTabWidget>
#include <QTextEdit>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

class TextList {
public:
    explicit TextList(QStringList& texts) : m_texts(texts) {}
    void add(const QObject& owner, const QString& what, const QString& text) {
        if (!text.isEmpty()) {
            m_texts.append(u"%1 (%2): %3: %4"_s.arg(owner.objectName(),
                                                    QString::fromLatin1(owner.metaObject()->className()), what, text));
        }
    }

private:
    QStringList& m_texts;
};

void addHelpTexts(TextList& list, const QWidget& widget) {
    list.add(widget, u"tooltip"_s, widget.toolTip());
    list.add(widget, u"status tip"_s, widget.statusTip());
    list.add(widget, u"what's this"_s, widget.whatsThis());
    for (const QAction* action : widget.actions()) {
        list.add(*action, u"text"_s, action->text());
        list.add(*action, u"tooltip"_s, action->toolTip() == action->text() ? QString() : action->toolTip());
        list.add(*action, u"status tip"_s, action->statusTip());
    }
}

void addModelTexts(TextList& list, const QObject& owner, const QAbstractItemModel& model, const QModelIndex& parent) {
    for (int row = 0; row < model.rowCount(parent); ++row) {
        for (int column = 0; column < model.columnCount(parent); ++column) {
            const QModelIndex index = model.index(row, column, parent);
            list.add(owner, u"item %1,%2"_s.arg(row).arg(column), index.data(Qt::DisplayRole).toString());
            list.add(owner, u"item %1,%2 tooltip"_s.arg(row).arg(column), index.data(Qt::ToolTipRole).toString());
        }
    }
}

void addOwnTexts(TextList& list, const QWidget& widget) {
    addHelpTexts(list, widget);
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        list.add(widget, u"text"_s, button->text());
    } else if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        list.add(widget, u"text"_s, label->text());
    } else if (const auto* group = qobject_cast<const QGroupBox*>(&widget)) {
        list.add(widget, u"title"_s, group->title());
    } else if (const auto* tabs = qobject_cast<const QTabWidget*>(&widget)) {
        for (int tab = 0; tab < tabs->count(); ++tab) {
            list.add(widget, u"tab %1"_s.arg(tab), tabs->tabText(tab));
            list.add(widget, u"tab %1 tooltip"_s.arg(tab), tabs->tabToolTip(tab));
        }
    } else if (const auto* combo = qobject_cast<const QComboBox*>(&widget)) {
        addModelTexts(list, widget, *combo->model(), combo->rootModelIndex());
        list.add(widget, u"placeholder"_s, combo->placeholderText());
    } else if (const auto* line = qobject_cast<const QLineEdit*>(&widget)) {
        list.add(widget, u"text"_s, line->text());
        list.add(widget, u"placeholder"_s, line->placeholderText());
    } else if (const auto* text = qobject_cast<const QTextEdit*>(&widget)) {
        list.add(widget, u"text"_s, text->toPlainText());
        list.add(widget, u"placeholder"_s, text->placeholderText());
    } else if (const auto* header = qobject_cast<const QHeaderView*>(&widget)) {
        const QAbstractItemModel& model = *header->model();
        for (int section = 0; section < header->count(); ++section) {
            list.add(widget, u"section %1"_s.arg(section), model.headerData(section, header->orientation()).toString());
            list.add(widget, u"section %1 tooltip"_s.arg(section),
                     model.headerData(section, header->orientation(), Qt::ToolTipRole).toString());
        }
    } else if (const auto* view = qobject_cast<const QAbstractItemView*>(&widget)) {
        addModelTexts(list, widget, *view->model(), view->rootIndex());
    } else if (const auto* menu = qobject_cast<const QMenu*>(&widget)) {
        list.add(widget, u"title"_s, menu->title());
    } else if (const auto* box = qobject_cast<const QMessageBox*>(&widget)) {
        list.add(widget, u"informative text"_s, box->informativeText());
        list.add(widget, u"detailed text"_s, box->detailedText());
    }
}

} // namespace

QStringList VisibleTexts(const QWidget& window) {
    QStringList texts;
    TextList list(texts);
    list.add(window, u"window title"_s, window.windowTitle());
    addOwnTexts(list, window);
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        addOwnTexts(list, *widget);
    }
    return texts;
}

QStringList WithCjkCharacters(const QStringList& texts) {
    QStringList found;
    for (const QString& text : texts) {
        const auto isCjk = [](char32_t c) {
            return (c >= 0x2e80 && c <= 0x9fff) || (c >= 0xac00 && c <= 0xd7af) || (c >= 0xf900 && c <= 0xfaff) ||
                   (c >= 0xfe30 && c <= 0xfe4f) || (c >= 0xff00 && c <= 0xffef) || (c >= 0x20000 && c <= 0x3134f);
        };
        const QList<uint> codePoints = text.toUcs4();
        if (std::any_of(codePoints.begin(), codePoints.end(), isCjk)) {
            found.append(text);
        }
    }
    return found;
}
