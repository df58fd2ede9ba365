#include "ui/channels/ChannelImport.h"

#include "core/Maindb.h"
#include "core/MessageKind.h"
#include "widgets/MessageBox.h"

#include <algorithm>

namespace {

QString ChannelList(const std::vector<int>& channels) {
    QStringList numbers;
    for (int k : channels)
        numbers << QString::number(k);
    return numbers.join(QStringLiteral(", "));
}

} // namespace

bool TChannelImport::Take(TfMaindb& db, const TChirpCsv::TImport& import, const QString& stepName,
                          bool byChannel, bool reportAlways) {
    const TLanguage& texts = db.Language;
    const QString summary = TChirpCsv::Summary(texts, import, byChannel);
    const bool refused = std::any_of(import.Notes.begin(), import.Notes.end(),
                                     [](const TChirpCsv::TNote& note) { return note.Refused; });
    const QString caption = refused || import.Rows.empty() ? texts.Caution : texts.Confirmation;
    if (import.Rows.empty()) {
        ShowMessageBox(caption, summary, MessageKind::Information);
        return false;
    }
    const std::vector<int> overwritten = TChirpCsv::Overwritten(db.All, import);
    if (!overwritten.empty() &&
        ShowMessageBox(texts.Confirmation, texts.CsvOverwrite.arg(ChannelList(overwritten)),
                       MessageKind::YesNo) != MessageResult::Yes)
        return false;
    const auto [first, last] = std::minmax_element(
        import.Rows.begin(), import.Rows.end(),
        [](const TChirpCsv::TRow& a, const TChirpCsv::TRow& b) { return a.Location < b.Location; });
    db.Document.Edit(
        TImageChange::Channels(first->Location, last->Location),
        [&] { TChirpCsv::Store(db.All, import.Rows); }, stepName);
    if (reportAlways || !import.Notes.empty())
        ShowMessageBox(caption, summary, MessageKind::Information);
    return true;
}
