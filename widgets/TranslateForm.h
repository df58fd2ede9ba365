#pragma once

#include <functional>

class QString;
class QWidget;
class TALL;

// Translates a window from the active language file: its caption and the captions, hints and
// list items of its controls, in the file's section named after the window's objectName, under
// keys made of each control's objectName. With the first language (index 0) and no force the
// window keeps its built-in texts and the file is not even opened. Returns whether it
// translated.
//
// Control kinds: QLabel (".Caption"), QAction and QMenu (".Caption", then ".Hint" for actions),
// QPushButton, QCheckBox, QRadioButton, QGroupBox (".Caption"), QToolButton (".Caption",
// ".Hint"), QComboBox and QListWidget items (".0", ".1", ...; the dynamic property "tag" -2
// translates no item, -3 only the first), tab pages (the page's ".Caption"), and a key-value
// list (a QTableWidget with the dynamic property "valueList" set: the value column of row r
// under ".r", r from 1).
bool TranslateForm(QWidget* form, const TALL& all, bool force);

// Sees every lookup TranslateForm makes: the section, the key and the text the control shows
// before it (kept when the key is missing). The check of the shipped language files walks the
// windows with one set; an empty recorder ends the recording.
using TTranslationRecorder =
    std::function<void(const QString& section, const QString& key, const QString& current)>;
void SetTranslationRecorder(TTranslationRecorder recorder);
