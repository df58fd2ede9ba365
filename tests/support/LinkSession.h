#pragma once

#include "link/LinkExchange.h"
#include "core/Maindb.h"
#include "tests/support/RadioPeer.h"

#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <memory>

// One exchange as a dialog would run it: a fresh program state (started, New run), the fake
// clock and port, the radio peer, and a record of everything the exchange told its view.
// Questions are answered from Answers, at once or, when AnswerAfter > 0, that many ms later.
template <class TExchange> class TLinkSession {
public:
    struct TShown {
        qint64 At;
        TLinkMessage Message;
    };

    QTemporaryDir Folder;
    TfMaindb Db{Folder.path() + QLatin1Char('/')};
    TFakeLinkClock Clock;
    TFakeLinkPort Port{Clock};
    TRadioPeer Radio{Port, Clock};
    TExchange Exchange{Db, Port, Clock};

    std::vector<TShown> Shown;
    std::vector<qint64> Closes;
    std::vector<int> Positions;
    std::vector<bool> Finishes;
    std::deque<bool> Answers;
    int AnswerAfter = 0;

    explicit TLinkSession(const QString& portName = QStringLiteral("COM1")) {
        Db.BuildStartImage();
        Db.NewImage();
        Db.All.PortName = portName;
        Exchange.ResolveLine = [](const TALL& all, TLineSettings* line, QString*) {
            line->Device = QStringLiteral("/dev/fake");
            line->BaudRate = all.BaudRate;
            return true;
        };
        QObject::connect(&Exchange, &TLinkExchange::Message, [this](const TLinkMessage& m) {
            Shown.push_back({Clock.Now(), m});
            if (m.Kind != MessageKind::YesNo || Answers.empty()) return;
            const bool yes = Answers.front();
            Answers.pop_front();
            if (AnswerAfter == 0)
                Exchange.Answer(yes);
            else
                Clock.After(AnswerAfter, [this, yes] { Exchange.Answer(yes); });
        });
        QObject::connect(&Exchange, &TLinkExchange::CloseRequested,
                         [this] { Closes.push_back(Clock.Now()); });
        QObject::connect(&Exchange, &TLinkExchange::ProgressChanged,
                         [this](int position, int) { Positions.push_back(position); });
        QObject::connect(&Exchange, &TLinkExchange::Finished,
                         [this](bool completed) { Finishes.push_back(completed); });
    }

    // Shows the dialog and presses OK once the port is open; returns the time of the press.
    qint64 StartAndOk() {
        Exchange.Start();
        Clock.Advance(50);
        Exchange.Ok();
        return Clock.Now();
    }

    QStringList Keys() const {
        QStringList keys;
        for (const TShown& shown : Shown)
            keys << shown.Message.Key;
        return keys;
    }

    // Frames in short: "PROGRAMa", "02", "06", "45", "R 0120", "W 1260".
    QStringList Sent() const {
        QStringList sent;
        for (const auto& frame : Port.Frames)
            sent << Describe(frame.Bytes);
        return sent;
    }

    static QString Describe(const QByteArray& frame) {
        if (frame.startsWith("PROGRAM")) return QString::fromLatin1(frame);
        if (frame.size() == 1) return QString::fromLatin1(frame.toHex().toUpper());
        return QString::fromLatin1(frame.left(1) + ' ' + frame.mid(1, 2).toHex().toUpper());
    }

    // The time of the first frame described as `what`, or -1.
    qint64 TimeOf(const QString& what) const {
        for (const auto& frame : Port.Frames) {
            if (Describe(frame.Bytes) == what) return frame.At;
        }
        return -1;
    }
};
