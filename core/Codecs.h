#pragma once

#include <QChar>
#include <QString>
#include <cstdint>

class TALL;

// Conversions between image bytes and the texts the editors show, the frequency rounding rules,
// the band checks and the option-area accessors. Frequencies are counts of 10 Hz in the image
// and "0.00000" MHz texts on screen; the decimal separator is always ".".
// Functions that fail on a text that is no number throw EConvertError before writing anything.

// Bits, fields and options.
int GetBit(uint8_t byte, int bit);
void SetBit(uint8_t& byte, int bit, bool on);
uint8_t GetField(uint8_t byte, uint8_t mask, uint8_t max, uint8_t fallback);
void SetField(uint8_t& byte, uint8_t mask, int value);
uint8_t InRangeOr(uint8_t value, uint8_t lo, uint8_t hi, uint8_t fallback);
uint8_t& OptionByte(TALL& all, int n);
uint8_t GetOption(const TALL& all, int n, uint8_t mask);
void SetOption(TALL& all, int n, uint8_t mask, int value);
void ClampOption(TALL& all, int n, uint8_t mask, uint8_t lo, uint8_t hi, uint8_t fallback);
bool TestMapBit(const TALL& all, int start, int k);
void SetMapBit(TALL& all, int start, int k, bool clear);

// Numbers.
uint32_t PackU31(const uint8_t* bytes);
double BytesToMHz(const uint8_t* bytes);
void PutU32(uint8_t* bytes, uint32_t value);
// 16-bit little-endian values of the image.
int GetU16(const TALL& all, int at);
void PutU16(TALL& all, int at, int value);
int HexToInt(const QString& text);
uint8_t HexToByte(const QString& text);
void FillFF(uint8_t* buffer, int highIndex);
int ParseInt(const QString& text);

// Frequencies.
QString FormatMHz(double mhz);
double ParseMHz(const QString& text);
int64_t SnapFrequency(const TALL& all, double& mhz, int& mode);
int VfoGridMode(const TALL& all);
int GridModeOf(double mhz);
bool CheckFrequency(const TALL& all, const QString& text, double& mhz);
double NearestBandEdge(const TALL& all, bool upper, double mhz);

// Tones, names and other characters.
void EncodeTone(const QString& text, uint8_t& lo, uint8_t& hi);
QString DecodeTone(uint8_t lo, uint8_t hi);
QString NormalizeTone(const QString& text);
uint8_t EncodeNameChar(QChar c);
QChar DecodeNameChar(uint8_t value);
uint8_t DtmfCharToCode(QChar c);
QChar DtmfCodeToChar(int code);
QChar SerialChar(uint8_t byte);
QString FlagText(int a, int b);
void EncodeDateStamp(uint8_t* bytes, const QString& text);
QString FormatDateStamp(const uint8_t* bytes);
