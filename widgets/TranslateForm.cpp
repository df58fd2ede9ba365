#include "widgets/TranslateForm.h"

#include "core/All.h"
#include "core/IniFile.h"
#include "core/ListTag.h"
#include "core/Messages.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSet>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>

namespace {

const QString CaptionKey = QStringLiteral(".Caption");
const QString HintKey = QStringLiteral(".Hint");
constexpr int ValueColumn = 1;

TTranslationRecorder& Recorder() {
    static TTranslationRecorder recorder;
    return recorder;
}

int Tag(const QObject* object) {
    return object->property("tag").toInt();
}

// One pass over a window: the lookups in the window's section, and the actions already done
// (a tool button and the menu may show the same action).
class TFormTranslator {
public:
    TFormTranslator(const TIniFile& ini, const QString& section) : Ini(ini), Section(section) {}

    // Applies the first kind that fits; other components keep their texts.
    void Component(QObject* object) {
        TabPage(object) || Caption<QLabel>(object, &QLabel::text, &QLabel::setText) ||
            Caption<QMenu>(object, &QMenu::title, &QMenu::setTitle) ||
            Action(qobject_cast<QAction*>(object)) || ToolButton(object) ||
            Caption<QAbstractButton>(object, &QAbstractButton::text, &QAbstractButton::setText) ||
            ComboBox(object) ||
            Caption<QGroupBox>(object, &QGroupBox::title, &QGroupBox::setTitle) ||
            ListWidget(object) || ValueList(object);
    }

    // Sets a text from the file; a missing key (or a nameless component) keeps the current one.
    template <class Set>
    void Apply(const QString& name, const QString& suffix, const QString& current, Set set) const {
        if (name.isEmpty()) return;
        if (Recorder()) Recorder()(Section, name + suffix, current);
        const QString text = Ini.ReadString(Section, name + suffix, current);
        if (text != current) set(text);
    }

private:
    const TIniFile& Ini;
    const QString Section;
    QSet<QAction*> DoneActions;

    template <class T, class Get, class Set> bool Caption(QObject* object, Get get, Set set) {
        T* component = qobject_cast<T*>(object);
        if (!component) return false;
        Apply(component->objectName(), CaptionKey, (component->*get)(),
              [&](const QString& text) { (component->*set)(text); });
        return true;
    }

    // The hint shows in the status bar and as the tool tip.
    bool Action(QAction* action) {
        if (!action) return false;
        if (DoneActions.contains(action)) return true;
        DoneActions.insert(action);
        const QString name = action->objectName();
        Apply(name, CaptionKey, action->text(),
              [&](const QString& text) { action->setText(text); });
        Apply(name, HintKey, action->statusTip(), [&](const QString& text) {
            action->setStatusTip(text);
            action->setToolTip(text);
        });
        return true;
    }

    // A tool button that shows an action takes its texts from the action.
    bool ToolButton(QObject* object) {
        auto* button = qobject_cast<QToolButton*>(object);
        if (!button) return false;
        if (Action(button->defaultAction())) return true;
        const QString name = button->objectName();
        Apply(name, CaptionKey, button->text(),
              [&](const QString& text) { button->setText(text); });
        Apply(name, HintKey, button->toolTip(),
              [&](const QString& text) { button->setToolTip(text); });
        return true;
    }

    bool TabPage(QObject* object) {
        auto* page = qobject_cast<QWidget*>(object);
        QWidget* stack = page ? page->parentWidget() : nullptr;
        auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
        const int index = tabs ? tabs->indexOf(page) : -1;
        if (index < 0) return false;
        Apply(page->objectName(), CaptionKey, tabs->tabText(index),
              [&](const QString& text) { tabs->setTabText(index, text); });
        return true;
    }

    // The items are no user's choice: the selected position stays and no change is signalled.
    bool ComboBox(QObject* object) {
        auto* combo = qobject_cast<QComboBox*>(object);
        if (!combo) return false;
        const QSignalBlocker blocker(combo);
        for (int i = 0; i < ListTag::TranslatedItems(Tag(combo), combo->count()); ++i)
            Apply(combo->objectName(), QStringLiteral(".%1").arg(i), combo->itemText(i),
                  [&](const QString& text) { combo->setItemText(i, text); });
        return true;
    }

    bool ListWidget(QObject* object) {
        auto* list = qobject_cast<QListWidget*>(object);
        if (!list) return false;
        if (Tag(list) == ListTag::NoItems) return true;
        const QSignalBlocker blocker(list);
        for (int i = 0; i < list->count(); ++i)
            Apply(list->objectName(), QStringLiteral(".%1").arg(i), list->item(i)->text(),
                  [&](const QString& text) { list->item(i)->setText(text); });
        return true;
    }

    // Key-value lists number their rows from 1, as the language files do.
    bool ValueList(QObject* object) {
        auto* table = qobject_cast<QTableWidget*>(object);
        if (!table || !table->property("valueList").toBool()) return false;
        const QSignalBlocker blocker(table);
        for (int row = 0; row < table->rowCount(); ++row) {
            QTableWidgetItem* item = table->item(row, ValueColumn);
            Apply(table->objectName(), QStringLiteral(".%1").arg(row + 1),
                  item ? item->text() : QString(), [&](const QString& text) {
                      if (item)
                          item->setText(text);
                      else
                          table->setItem(row, ValueColumn, new QTableWidgetItem(text));
                  });
        }
        return true;
    }
};

} // namespace

void SetTranslationRecorder(TTranslationRecorder recorder) {
    Recorder() = std::move(recorder);
}

bool TranslateForm(QWidget* form, const TALL& all, bool force) {
    if (!force && all.LanguageIndex == 0) return false;
    const TIniFile ini(LanguageFileName(all));
    TFormTranslator translator(ini, form->objectName());
    translator.Apply(form->objectName(), CaptionKey, form->windowTitle(),
                     [form](const QString& text) { form->setWindowTitle(text); });
    for (QObject* component : form->findChildren<QObject*>())
        translator.Component(component);
    return true;
}
