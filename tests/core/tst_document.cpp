#include "core/Document.h"
#include "core/Maindb.h"

#include <QTemporaryDir>
#include <QtTest>

// The undo history of the document: steps, merging, the clean mark and the limit.
class TstDocument : public QObject {
    Q_OBJECT

    QTemporaryDir Folder;

    struct TFixture {
        TfMaindb Db;
        explicit TFixture(const QString& folder) : Db(folder) {
            Db.BuildStartImage();
            Db.NewImage();
            Db.Document.Replace(true);
        }
        void Set(int byte, uint8_t value, const QString& name, bool mergeable = false) {
            Db.Document.Edit(
                TImageChange::Channel(1), [&] { Db.All.Image[size_t(byte)] = value; }, name,
                mergeable);
        }
        uint8_t At(int byte) const { return Db.All.Image[size_t(byte)]; }
    };

private slots:
    void typedKeysMakeOneStep() {
        TFixture f(Folder.path() + QLatin1Char('/'));
        f.Set(16, 1, QStringLiteral("tone"), true);
        f.Set(16, 2, QStringLiteral("tone"), true);
        f.Set(17, 3, QStringLiteral("name"), true);
        f.Set(17, 3, QStringLiteral("name"), true); // no change: no step
        f.Db.Document.Undo();
        QCOMPARE(f.Db.Document.UndoName(), QStringLiteral("tone"));
        f.Db.Document.Undo();
        QCOMPARE(f.At(16), uint8_t(0xFF));
        QVERIFY(!f.Db.Document.CanUndo());
    }

    // Modified follows the clean mark: the saved state is clean, whichever way it is reached,
    // until a new step replaces the steps that led to it.
    void cleanMark() {
        TFixture f(Folder.path() + QLatin1Char('/'));
        TDocument& doc = f.Db.Document;
        f.Set(16, 1, QStringLiteral("a"));
        doc.MarkSaved();
        f.Set(16, 2, QStringLiteral("b"));
        doc.Undo();
        QVERIFY(!doc.Modified());
        doc.Undo();
        QVERIFY(doc.Modified());
        doc.Redo();
        QVERIFY(!doc.Modified());
        doc.Undo();
        f.Set(16, 3, QStringLiteral("c")); // the saved step "a" is gone
        doc.Undo();
        QCOMPARE(f.At(16), uint8_t(0xFF));
        QVERIFY(doc.Modified());
        doc.Replace(false); // a read: fresh history, not saved
        QVERIFY(doc.Modified() && !doc.CanUndo() && !doc.CanRedo());
    }

    void keepsTheNewestSteps() {
        TFixture f(Folder.path() + QLatin1Char('/'));
        for (int i = 0; i <= TEditHistory::Limit; ++i)
            f.Set(16 + i % 2, uint8_t(i), QString::number(i));
        int undone = 0;
        while (f.Db.Document.CanUndo()) {
            f.Db.Document.Undo();
            ++undone;
        }
        QCOMPARE(undone, TEditHistory::Limit);
        QCOMPARE(f.At(16), uint8_t(0)); // the state after the first step, which was dropped
    }
};

QTEST_GUILESS_MAIN(TstDocument)
#include "tst_document.moc"
