#include "core/ChirpCsv.h"

#include "core/All.h"
#include "core/Channel.h"
#include "core/ChannelLists.h"
#include "core/ChannelRecord.h"
#include "core/ChannelRow.h"
#include "core/CharRules.h"
#include "core/Codecs.h"
#include "core/CsvText.h"
#include "core/Language.h"
#include "core/ToneList.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <functional>
#include <set>

namespace {

// The column numbers, in the order of Columns().
enum TColumn : int {
    Location,
    Name,
    Frequency,
    Duplex,
    Offset,
    Tone,
    RToneFreq,
    CToneFreq,
    DtcsCode,
    DtcsPolarity,
    RxDtcsCode,
    CrossMode,
    Mode,
    TStep,
    Skip,
    Power,
    Comment,
    UrCall,
    Rpt1Call,
    Rpt2Call,
    DvCode,
    BusyLock,
    Vox,
    Epilogue,
    PttId,
    Dtmf,
    IdCode,
    VoiceMode,
    ColumnCount
};

// CHIRP's values of the tone columns that a mode does not use.
const QString DefaultCtcss = QStringLiteral("88.5");
const QString DefaultDcs = QStringLiteral("023");
const QString DefaultCross = QStringLiteral("Tone->Tone");
// Offsets up to this distance are written as + or -, larger ones as a split.
constexpr int64_t MaxShiftCounts = 70 * 100000;
// Watts from which a power counts as High.
constexpr double HighWatts = 3.0;

// Our own columns with a list of choices, and the field each one writes.
struct TOwnColumn {
    int Column;
    int Code;
};
constexpr TOwnColumn OwnColumns[] = {
    {BusyLock, FieldCode::BusyLock}, {Vox, FieldCode::Vox},  {Epilogue, FieldCode::Epilogue},
    {PttId, FieldCode::PttId},       {Dtmf, FieldCode::Ani}, {VoiceMode, FieldCode::VoiceMode},
};

// The channel edit window's voice mode items; the grid has no voice mode column.
const QStringList& VoiceModes() {
    static const QStringList items = ChannelLists::VoiceModes() << QStringLiteral("Both");
    return items;
}

const QStringList& Choices(int code) {
    static const TChannelRow row;
    return code == FieldCode::VoiceMode ? VoiceModes() : row.BoxFor(code)->Items;
}

int64_t Counts(double mhz) {
    return std::llround(mhz * 100000.0);
}

QString Mhz6(double mhz) {
    return QString::number(mhz, 'f', 6);
}

bool IsDcs(const QString& tone) {
    return tone.startsWith(QLatin1Char('D'));
}

QString DcsDigits(const QString& tone) {
    return tone.mid(1, 3);
}

QChar Polarity(const QString& tone) {
    return IsDcs(tone) && tone.endsWith(QLatin1Char('I')) ? QLatin1Char('R') : QLatin1Char('N');
}

QString ToneKind(const QString& tone) {
    return tone.isEmpty() ? QString()
           : IsDcs(tone)  ? QStringLiteral("DTCS")
                          : QStringLiteral("Tone");
}

// The tone columns (Tone to CrossMode) of an encode and a decode tone.
void PutTones(const QString& encode, const QString& decode, QStringList& f) {
    f[RToneFreq] = f[CToneFreq] = DefaultCtcss;
    f[DtcsCode] = f[RxDtcsCode] = DefaultDcs;
    f[DtcsPolarity] = QString(Polarity(encode)) + Polarity(decode);
    f[CrossMode] = DefaultCross;
    if (encode.isEmpty() && decode.isEmpty()) return;
    if (!IsDcs(encode) && decode.isEmpty()) {
        f[Tone] = QStringLiteral("Tone");
        f[RToneFreq] = encode;
    } else if (!IsDcs(encode) && encode == decode) {
        f[Tone] = QStringLiteral("TSQL");
        f[CToneFreq] = decode;
    } else if (IsDcs(encode) && IsDcs(decode) && DcsDigits(encode) == DcsDigits(decode)) {
        f[Tone] = QStringLiteral("DTCS");
        f[DtcsCode] = DcsDigits(encode);
    } else {
        f[Tone] = QStringLiteral("Cross");
        f[CrossMode] = ToneKind(encode) + QStringLiteral("->") + ToneKind(decode);
        if (IsDcs(encode))
            f[DtcsCode] = DcsDigits(encode);
        else if (!encode.isEmpty())
            f[RToneFreq] = encode;
        if (IsDcs(decode))
            f[RxDtcsCode] = DcsDigits(decode);
        else if (!decode.isEmpty())
            f[CToneFreq] = decode;
    }
}

QStringList ChannelFields(const TChannel& channel, int k) {
    QStringList f;
    for (int i = 0; i < ColumnCount; ++i)
        f << QString();
    f[Location] = QString::number(k);
    f[Name] = channel.Name;
    f[Frequency] = Mhz6(channel.RxFreq);
    const int64_t shift = Counts(channel.TxFreq) - Counts(channel.RxFreq);
    f[Offset] = Mhz6(0.0);
    if (channel.TxFreq < 0) {
        f[Duplex] = QStringLiteral("off");
    } else if (shift != 0 && std::abs(shift) <= MaxShiftCounts) {
        f[Duplex] = shift > 0 ? QStringLiteral("+") : QStringLiteral("-");
        f[Offset] = Mhz6(std::abs(shift) / 100000.0);
    } else if (shift != 0) {
        f[Duplex] = QStringLiteral("split");
        f[Offset] = Mhz6(channel.TxFreq);
    }
    PutTones(channel.TxTone, channel.RxTone, f);
    f[Mode] = channel.Bandwidth ? QStringLiteral("FM") : QStringLiteral("NFM");
    f[TStep] = QStringLiteral("5.00");
    f[Skip] = channel.ScanDel ? QStringLiteral("S") : QString();
    f[Power] = channel.Power ? QStringLiteral("5.0W") : QStringLiteral("1.0W");
    for (const TOwnColumn& own : OwnColumns)
        f[own.Column] = Choices(own.Code).value(ChannelFieldValue(channel, own.Code));
    f[IdCode] = channel.IdCode;
    return f;
}

// The column whose value a note about a field's stored text names.
int NoteColumn(int code) {
    switch (code) {
    case FieldCode::RxFreq:
        return Frequency;
    case FieldCode::TxFreq:
        return Offset;
    case FieldCode::Name:
        return Name;
    default:
        return IdCode;
    }
}

// Whether the stored text says the same as the given one: frequencies as numbers, a name
// without its trailing blanks.
bool SameValue(int code, const QString& given, const QString& stored) {
    if (given.isNull()) return true; // a value the row does not give as such
    if (code == FieldCode::RxFreq || code == FieldCode::TxFreq)
        return given.isEmpty() || Counts(given.toDouble()) == Counts(stored.toDouble());
    QString trimmed = given;
    while (trimmed.endsWith(QLatin1Char(' ')))
        trimmed.chop(1);
    return trimmed == stored;
}

// Writes a checked row into its channel: a new channel with the default settings, then each
// field; written sees each field with the text the writer stored.
void WriteRow(TALL& all, const TChirpCsv::TRow& row,
              const std::function<void(const TChirpCsv::TField&, const QString&)>& written) {
    NewChannel(all, row.Location, row.Fields.front().Text);
    for (const TChirpCsv::TField& field : row.Fields) {
        QString stored = field.Text;
        WriteChannelField(all, row.Location, field.Code, stored);
        written(field, stored);
    }
}

// Checks the rows of one text and turns the ones that can be taken into fields to write.
class TRowReader {
public:
    TRowReader(const TALL& all, const TLanguage& texts) : All(all), Texts(texts) {}

    TChirpCsv::TImport Import;

    // Maps the columns by a header's names; false when it names no Frequency column.
    bool TakeHeader(const QStringList& names) {
        for (int i = 0; i < names.size(); ++i) {
            const int column = ColumnOf(names[i]);
            if (column >= 0 && !Map.contains(column)) Map.insert(column, i);
        }
        if (!Map.contains(Frequency)) Map.clear();
        return !Map.isEmpty();
    }

    void TakeStandardOrder() {
        for (int i = 0; i < ColumnCount; ++i)
            Map.insert(i, i);
    }

    bool HasColumn(int column) const { return Map.contains(column); }

    // Checks one row for channel location (from the Location column when it is 0); a refused row
    // gets a note with its reason, a taken one joins the rows.
    void TakeRow(const TCsvText::TRecord& record, int location) {
        Record = &record;
        Row = {record.Line, location, {}};
        const QString reason = Check();
        if (!reason.isEmpty()) {
            Import.Notes.push_back({record.Line, Row.Location, reason, true});
            return;
        }
        Import.Rows.push_back(Row);
        // The values the writers store otherwise than given, found on a scratch copy.
        TALL scratch = All;
        WriteRow(scratch, Row, [&](const TChirpCsv::TField& field, const QString& written) {
            // The ID code writer keeps a text longer than the digits it stores.
            TChannel channel;
            const QString stored =
                field.Code == FieldCode::IdCode && ReadChannel(scratch, Row.Location, channel)
                    ? channel.IdCode
                    : written;
            if (SameValue(field.Code, field.Given, stored)) return;
            const QString column = TChirpCsv::Columns()[NoteColumn(field.Code)];
            Import.Notes.push_back(
                {Row.Line, Row.Location, Texts.CsvChanged.arg(column, field.Given, stored), false});
        });
    }

private:
    const TALL& All;
    const TLanguage& Texts;
    QHash<int, int> Map; // column -> field index of the rows
    std::set<int> Taken;
    const TCsvText::TRecord* Record = nullptr;
    TChirpCsv::TRow Row;

    static int ColumnOf(const QString& name) {
        const QStringList& columns = TChirpCsv::Columns();
        for (int i = 0; i < columns.size(); ++i)
            if (columns[i].compare(name.trimmed(), Qt::CaseInsensitive) == 0) return i;
        return -1;
    }

    QString Value(int column) const {
        return Map.contains(column) ? Record->Fields.value(Map.value(column)).trimmed() : QString();
    }

    QString Cannot(int column) const {
        return Texts.CsvValue.arg(TChirpCsv::Columns()[column], Value(column));
    }

    void Add(int code, const QString& text, const QString& given) {
        Row.Fields.push_back({code, text, given});
    }

    // The reason the row cannot be taken; empty when it can.
    QString Check() {
        QString reason;
        for (auto step :
             {&TRowReader::CheckLocation, &TRowReader::CheckFrequencies, &TRowReader::CheckTones,
              &TRowReader::CheckChoices, &TRowReader::CheckTexts}) {
            reason = (this->*step)();
            if (!reason.isEmpty()) break;
        }
        return reason;
    }

    QString CheckLocation() {
        if (Row.Location == 0) {
            bool number = false;
            Row.Location = Value(Location).toInt(&number);
            if (!number) Row.Location = 0;
        }
        if (Row.Location < 1 || Row.Location > All.ChannelCount)
            return Texts.CsvLocation
                .arg(Row.Location ? QString::number(Row.Location) : Value(Location))
                .arg(All.ChannelCount);
        if (!Taken.insert(Row.Location).second) return Texts.CsvDuplicate.arg(Row.Location);
        return QString();
    }

    // A frequency of the row in the form the grid writes; a null string when it lies outside
    // every enabled band.
    QString BandFrequency(double mhz) const {
        return mhz <= 0 || CheckFrequency(All, QString(), mhz) ? QString() : FormatMHz(mhz);
    }

    QString CheckFrequencies() {
        bool number = false;
        const double rx = Value(Frequency).toDouble(&number);
        const QString rxText = number ? BandFrequency(rx) : QString();
        if (rxText.isNull())
            return Texts.CsvFrequency.arg(TChirpCsv::Columns()[Frequency], Value(Frequency));
        Add(FieldCode::RxFreq, rxText, Value(Frequency));
        const QString duplex = Value(Duplex).toLower();
        double offset = 0.0;
        if (!Value(Offset).isEmpty()) {
            offset = Value(Offset).toDouble(&number);
            if (!number) return Cannot(Offset);
        }
        double tx = rx;
        if (duplex == QLatin1String("off")) {
            Add(FieldCode::TxFreq, QString(), QString());
            return QString();
        }
        if (duplex == QLatin1String("+"))
            tx = rx + offset;
        else if (duplex == QLatin1String("-"))
            tx = rx - offset;
        else if (duplex == QLatin1String("split"))
            tx = offset;
        else if (!duplex.isEmpty())
            return Cannot(Duplex);
        const QString txText = BandFrequency(tx);
        if (txText.isNull()) return Texts.CsvFrequency.arg(TChirpCsv::Columns()[Offset], Mhz6(tx));
        Add(FieldCode::TxFreq, txText, duplex.isEmpty() ? QString() : Mhz6(tx));
        return QString();
    }

    // The listed tone a CHIRP tone column gives; a null string when the tone list lacks it.
    QString ListedTone(int column, QChar polarity) const {
        QString tone;
        if (column == DtcsCode || column == RxDtcsCode) {
            const QString digits = Value(column).isEmpty()
                                       ? DefaultDcs
                                       : Value(column).rightJustified(3, QLatin1Char('0'));
            const QChar suffix = polarity == QLatin1Char('R') ? QLatin1Char('I') : QLatin1Char('N');
            tone = QLatin1Char('D') + digits + suffix;
        } else {
            bool number = false;
            const QString hz = Value(column).isEmpty() ? DefaultCtcss : Value(column);
            hz.toDouble(&number);
            if (number) tone = NormalizeTone(hz);
        }
        return ToneList().contains(tone) ? tone : QString();
    }

    QString CheckTones() {
        const QString mode = Value(Tone).toLower();
        QString polarity = Value(DtcsPolarity).toUpper();
        if (polarity.isEmpty()) polarity = QStringLiteral("NN");
        if (polarity.size() != 2 ||
            polarity.count(QLatin1Char('N')) + polarity.count(QLatin1Char('R')) != 2)
            return Cannot(DtcsPolarity);
        QString kinds; // the encode and the decode kind ("tone", "dtcs" or none) joined by "->"
        if (mode == QLatin1String("tone"))
            kinds = QStringLiteral("tone->");
        else if (mode == QLatin1String("tsql"))
            kinds = QStringLiteral("tone->tone");
        else if (mode == QLatin1String("dtcs"))
            kinds = QStringLiteral("dtcs->dtcs");
        else if (mode == QLatin1String("cross"))
            kinds = (Value(CrossMode).isEmpty() ? DefaultCross : Value(CrossMode)).toLower();
        else if (!mode.isEmpty())
            return Cannot(Tone);
        else
            kinds = QStringLiteral("->");
        const QStringList parts = kinds.split(QStringLiteral("->"));
        // TSQL takes both tones from cToneFreq, DTCS both codes from DtcsCode.
        const bool tsql = mode == QLatin1String("tsql");
        const bool dtcs = mode == QLatin1String("dtcs");
        const struct {
            int code, ctcss, dcs;
        } sides[] = {{FieldCode::TxTone, tsql ? CToneFreq : RToneFreq, DtcsCode},
                     {FieldCode::RxTone, CToneFreq, dtcs ? DtcsCode : RxDtcsCode}};
        if (parts.size() != 2) return Cannot(CrossMode);
        for (int i = 0; i < 2; ++i) {
            const QString& kind = parts[i];
            if (kind.isEmpty()) {
                Add(sides[i].code, QString(), QString());
                continue;
            }
            if (kind != QLatin1String("tone") && kind != QLatin1String("dtcs"))
                return Cannot(CrossMode);
            const int column = kind == QLatin1String("tone") ? sides[i].ctcss : sides[i].dcs;
            const QString tone = ListedTone(column, polarity.at(i));
            if (tone.isNull()) return Texts.CsvTone.arg(Value(column));
            Add(sides[i].code, tone, tone);
        }
        return QString();
    }

    // The item index of a choice value (case-blind); -1 when the list lacks it.
    static int ChoiceIndex(const QStringList& items, const QString& value) {
        for (int i = 0; i < items.size(); ++i)
            if (items[i].compare(value, Qt::CaseInsensitive) == 0) return i;
        return -1;
    }

    // Power as High/Low or as watts; -1 when it is neither.
    int PowerValue() const {
        const QString value = Value(Power);
        if (value.isEmpty()) return 1;
        const int item = ChoiceIndex(Choices(FieldCode::Power), value);
        if (item >= 0) return item;
        QString watts = value;
        if (watts.endsWith(QLatin1Char('W'), Qt::CaseInsensitive)) watts.chop(1);
        bool number = false;
        const double w = watts.toDouble(&number);
        return number ? (w >= HighWatts ? 1 : 0) : -1;
    }

    QString CheckChoices() {
        const QString mode = Value(Mode).toUpper();
        if (!mode.isEmpty() && mode != QLatin1String("FM") && mode != QLatin1String("NFM"))
            return Cannot(Mode);
        Add(FieldCode::Bandwidth,
            mode == QLatin1String("NFM") ? QStringLiteral("0") : QStringLiteral("1"), QString());
        const QString skip = Value(Skip).toUpper();
        if (!skip.isEmpty() && skip != QLatin1String("S")) return Cannot(Skip);
        Add(FieldCode::Scan, skip.isEmpty() ? QStringLiteral("0") : QStringLiteral("1"), QString());
        const int power = PowerValue();
        if (power < 0) return Cannot(Power);
        Add(FieldCode::Power, QString::number(power), QString());
        for (const TOwnColumn& own : OwnColumns) {
            if (Value(own.Column).isEmpty()) continue; // a new channel's default
            const int item = ChoiceIndex(Choices(own.Code), Value(own.Column));
            if (item < 0) return Cannot(own.Column);
            Add(own.Code, QString::number(item), QString());
        }
        return QString();
    }

    QString CheckTexts() {
        const QString name = Record->Fields.value(Map.value(Name, -1));
        Add(FieldCode::Name, TCharRules::Filter(TCharRules::TKind::Name, name), name);
        if (!Value(IdCode).isEmpty())
            Add(FieldCode::IdCode, TCharRules::Filter(TCharRules::TKind::IdCode, Value(IdCode)),
                Value(IdCode));
        return QString();
    }
};

} // namespace

const QStringList& TChirpCsv::Columns() {
    static const QStringList columns{
        "Location",  "Name",      "Frequency", "Duplex",       "Offset",     "Tone",
        "rToneFreq", "cToneFreq", "DtcsCode",  "DtcsPolarity", "RxDtcsCode", "CrossMode",
        "Mode",      "TStep",     "Skip",      "Power",        "Comment",    "URCALL",
        "RPT1CALL",  "RPT2CALL",  "DVCODE",    "BusyLock",     "Vox",        "Epilogue",
        "PTTID",     "DTMF",      "IDCode",    "VoiceMode"};
    return columns;
}

QString TChirpCsv::Export(TALL& all, TChannel& channel, const std::vector<int>& channels,
                          QChar separator) {
    const QString lineEnd = QStringLiteral("\r\n");
    QString text = TCsvText::JoinLine(Columns(), separator) + lineEnd;
    for (int k : channels) {
        if (k >= 1 && k <= all.ChannelCount && ReadChannel(all, k, channel))
            text += TCsvText::JoinLine(ChannelFields(channel, k), separator) + lineEnd;
    }
    return text;
}

TChirpCsv::TImport TChirpCsv::Read(const TALL& all, const TLanguage& texts, const QString& text) {
    const std::vector<TCsvText::TRecord> records = TCsvText::Records(text, QLatin1Char(','));
    TRowReader reader(all, texts);
    if (records.empty() || !reader.TakeHeader(records.front().Fields) ||
        !reader.HasColumn(Location)) {
        reader.Import.Failure = texts.CsvColumns;
        return reader.Import;
    }
    for (size_t i = 1; i < records.size(); ++i)
        reader.TakeRow(records[i], 0);
    return reader.Import;
}

TChirpCsv::TImport TChirpCsv::ReadRows(const TALL& all, const TLanguage& texts, const QString& text,
                                       int first) {
    const QChar separator = text.contains(QLatin1Char('\t')) ? QLatin1Char('\t') : QLatin1Char(',');
    const std::vector<TCsvText::TRecord> records = TCsvText::Records(text, separator);
    TRowReader reader(all, texts);
    size_t i = 0;
    if (!records.empty() && reader.TakeHeader(records.front().Fields))
        i = 1;
    else
        reader.TakeStandardOrder();
    for (int k = first; i < records.size(); ++i, ++k)
        reader.TakeRow(records[i], k);
    return reader.Import;
}

void TChirpCsv::Store(TALL& all, const std::vector<TRow>& rows) {
    for (const TRow& row : rows)
        WriteRow(all, row, [](const TField&, const QString&) {});
}

std::vector<int> TChirpCsv::Overwritten(const TALL& all, const TImport& import) {
    std::vector<int> channels;
    for (const TRow& row : import.Rows)
        if (TestMapBit(all, Addr::PresentMap, row.Location)) channels.push_back(row.Location);
    return channels;
}

QString TChirpCsv::Summary(const TLanguage& texts, const TImport& import, bool byChannel) {
    if (!import.Failure.isEmpty()) return import.Failure;
    const int refused = int(std::count_if(import.Notes.begin(), import.Notes.end(),
                                          [](const TNote& note) { return note.Refused; }));
    QStringList lines{texts.CsvResult.arg(import.Rows.size()).arg(import.Rows.size() + refused)};
    for (const TNote& note : import.Notes) {
        const QString where =
            byChannel ? texts.Channel + QLatin1Char(' ') + QString::number(note.Location)
                      : texts.CsvLine.arg(note.Line);
        lines << where + QStringLiteral(": ") + note.Text;
    }
    return lines.join(QLatin1Char('\n'));
}
