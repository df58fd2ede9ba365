#include "tools/cli/CliExchange.h"

#include "core/Maindb.h"
#include "link/ReadExchange.h"
#include "link/SerialPort.h"
#include "link/TimerClock.h"
#include "link/WriteExchange.h"
#include "core/Backups.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTextStream>
#include <QTimer>

#include <memory>

namespace {

constexpr int StallTickMs = 10;

} // namespace

TCliExchange::TCliExchange(TfMaindb& db, TKind kind, const TOptions& options, QTextStream& err)
    : Db(db), Kind(kind), Options(options), Err(err) {}

bool TCliExchange::Run() {
    bool completed = false;
    {
        TSerialPort port;
        TTimerClock clock;
        std::unique_ptr<TLinkExchange> exchange;
        TReadExchange* read = nullptr;
        if (Kind == TKind::Read) {
            auto made = std::make_unique<TReadExchange>(Db, port, clock);
            read = made.get();
            exchange = std::move(made);
        } else {
            auto made = std::make_unique<TWriteExchange>(Db, port, clock);
            // A backup that cannot be written is told, and the write goes on.
            QObject::connect(made.get(), &TWriteExchange::Writing, [this] {
                QString error;
                if (!TBackups::Save(Db.All, QStringLiteral("write"), Db.Now(), &error))
                    Err << error << Qt::endl;
            });
            exchange = std::move(made);
        }

        QEventLoop loop;
        QElapsedTimer transfer;
        QElapsedTimer sinceTick;
        qint64 longestGap = 0;
        QTimer ticker;
        ticker.setTimerType(Qt::PreciseTimer);
        QObject::connect(&ticker, &QTimer::timeout,
                         [&] { longestGap = qMax(longestGap, sinceTick.restart()); });

        // Like the user's click, the press comes from the event loop, not from inside the
        // exchange's signal. Only the first enabling is a press: a read that retries after a
        // line error and a write that has failed enable OK again by themselves.
        bool pressed = false;
        QObject::connect(exchange.get(), &TLinkExchange::OkEnabledChanged, &loop, [&](bool on) {
            if (!on || pressed) return;
            pressed = true;
            QTimer::singleShot(0, exchange.get(), [&] {
                transfer.start();
                if (Options.StallReport) {
                    sinceTick.start();
                    ticker.start(StallTickMs);
                }
                exchange->Ok();
            });
        });
        QObject::connect(exchange.get(), &TLinkExchange::Message, &loop,
                         [&](const TLinkMessage& message) {
                             EndProgressLine();
                             Err << message.Text;
                             if (message.Kind == MessageKind::YesNo)
                                 Err << ' ' << (Options.Force ? "Yes" : "No");
                             Err << Qt::endl;
                             if (message.Kind == MessageKind::YesNo)
                                 exchange->Answer(Options.Force);
                         });
        QObject::connect(exchange.get(), &TLinkExchange::ProgressChanged, &loop,
                         [this](int position, int maximum) { ShowProgress(position, maximum); });
        QObject::connect(exchange.get(), &TLinkExchange::Finished, &loop, [&](bool done) {
            ticker.stop();
            completed = done && (!read || read->Done());
            loop.quit();
        });
        QObject::connect(exchange.get(), &TLinkExchange::CloseRequested, &loop, &QEventLoop::quit);

        exchange->Start();
        loop.exec();
        exchange->Close();
        EndProgressLine();
        if (Options.StallReport && transfer.isValid()) {
            Err << "Transfer time: " << transfer.elapsed()
                << " ms; longest event-loop stall: " << longestGap << " ms" << Qt::endl;
        }
    }
    // The clock's timers are deleted later; let that happen before the caller exits.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return completed;
}

void TCliExchange::ShowProgress(int position, int maximum) {
    const int percent = maximum > 0 ? position * 100 / maximum : 0;
    if (percent == 0 || percent == ShownPercent) return;
    ShownPercent = percent;
    Err << QStringLiteral("\r%1%").arg(percent, 3) << Qt::flush;
}

void TCliExchange::EndProgressLine() {
    if (ShownPercent == 0) return;
    ShownPercent = 0;
    Err << Qt::endl;
}
