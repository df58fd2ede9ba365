#include "widgets/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

int ShowMessageBox(const QString& caption, const QString& text, int kind) {
    if (kind != MessageKind::Information && kind != MessageKind::YesNo &&
        kind != MessageKind::RetryCancel)
        return MessageResult::Ok;
    if (TMessageBoxSeam::Active())
        return TMessageBoxSeam::TakeAnswer({caption, text, kind});

    QWidget* parent = QApplication::activeWindow();
    switch (kind) {
    case MessageKind::YesNo:
        return QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No) ==
                       QMessageBox::Yes
                   ? MessageResult::Yes
                   : MessageResult::No;
    case MessageKind::RetryCancel:
        return QMessageBox::question(parent, caption, text,
                                     QMessageBox::Retry | QMessageBox::Cancel) == QMessageBox::Retry
                   ? MessageResult::Retry
                   : MessageResult::Cancel;
    default:
        QMessageBox::information(parent, caption, text);
        return MessageResult::Ok;
    }
}

std::deque<int>& TMessageBoxSeam::Answers() {
    static std::deque<int> answers;
    return answers;
}

std::vector<TMessageBoxSeam::TShown>& TMessageBoxSeam::Shown() {
    static std::vector<TShown> shown;
    return shown;
}

void TMessageBoxSeam::QueueAnswer(int result) { Answers().push_back(result); }

bool TMessageBoxSeam::Active() { return !Answers().empty(); }

int TMessageBoxSeam::TakeAnswer(const TShown& shown) {
    Shown().push_back(shown);
    const int answer = Answers().front();
    Answers().pop_front();
    return answer;
}

std::vector<TMessageBoxSeam::TShown> TMessageBoxSeam::TakeShown() {
    std::vector<TShown> shown;
    shown.swap(Shown());
    return shown;
}

void TMessageBoxSeam::Reset() {
    Answers().clear();
    Shown().clear();
}
