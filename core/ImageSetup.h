#pragma once

class QDateTime;
class QString;
class TALL;
class TMacList;

// The bytes of a new image and the derivations that bring the image and the state object into
// agreement whenever a whole image arrives (start-up, New, a file, a read from the radio).

void BlankImage(TALL& all, const QDateTime& now);
void SanitizeOptions(TALL& all);
bool ApplyModel(const TMacList& models, TALL& all, const QString& code, bool writeIdentity);
void WriteIdentity(TALL& all);
void BandsFromModel(const TMacList& models, TALL& all);
void BandsToImage(TALL& all);
void BandsFromImage(const TMacList& models, TALL& all);
// ManualFreq follows the image's byte of a whole image that arrives from a file or the radio;
// without ManualFreqSelectable the byte becomes "No" (0xFF) first.
void TakeManualFreq(TALL& all);

// The sequences each occasion runs, in their order.
void BuildFirstImage(const TMacList& models, TALL& all, const QDateTime& now);
void BuildNewImage(const TMacList& models, TALL& all, const QDateTime& now);
void AcceptFileImage(const TMacList& models, TALL& all, const QString& code);
void AcceptRadioImage(const TMacList& models, TALL& all, const QString& code);
