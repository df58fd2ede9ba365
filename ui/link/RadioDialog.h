#pragma once

#include <QDialog>
#include <memory>

class QProgressBar;
class QPushButton;
class TLinkClock;
class TLinkExchange;
class TLinkPort;
class TfMaindb;
struct TLinkMessage;

// The port and the clock a radio dialog runs on. Left empty, the dialog makes a serial port and
// a real clock of its own; tests lend fakes, which must outlive the dialog.
struct TRadioLink {
    TLinkPort* Port = nullptr;
    TLinkClock* Clock = nullptr;
};

// What the read and the write dialogs share: a thin view over a radio exchange with a progress
// bar, OK and Cancel. Shown, it translates itself and starts the exchange; it shows the
// exchange's messages (a question's answer goes back to it), follows its progress and its OK
// state, and closes when the exchange asks. Closing by any means (Cancel, the window's close
// button, Esc) stops the exchange and closes the port at once. The exchange never blocks, so the
// window stays responsive through every pause of the protocol.
class TfRadioDialog : public QDialog {
    Q_OBJECT
public:
    ~TfRadioDialog() override;
    void done(int result) override;

protected:
    TfRadioDialog(TfMaindb& db, const QString& name, const QString& caption, TRadioLink link,
                  QWidget* parent);

    TLinkPort& Port() const { return *Link.Port; }
    TLinkClock& Clock() const { return *Link.Clock; }
    // Hands the dialog its exchange, made on Port() and Clock(); call once, from the constructor.
    template <class TExchange> TExchange& Attach(std::unique_ptr<TExchange> exchange) {
        TExchange& attached = *exchange;
        Follow(std::move(exchange));
        return attached;
    }

    void showEvent(QShowEvent* event) override;

private:
    TfMaindb& Db;
    // The exchange refers to the port and the clock, so it is declared after them and goes first.
    std::unique_ptr<TLinkPort> OwnPort;
    std::unique_ptr<TLinkClock> OwnClock;
    TRadioLink Link;
    std::unique_ptr<TLinkExchange> Exchange;

    QProgressBar* pBar = nullptr;
    QPushButton* btnOk = nullptr;

    void Follow(std::unique_ptr<TLinkExchange> exchange);
    void FormShow();
    void ShowLinkMessage(const TLinkMessage& message);
};
