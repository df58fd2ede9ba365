#pragma once

#include <QString>

class TfMaindb;

// A typed frequency as the editors store it: the band check moves it into an enabled band and
// onto the channel grid; a frequency that lay outside every band is told with the ErrRange
// message first. Every editor with a frequency field uses it.
QString CheckedFrequency(const TfMaindb& db, const QString& text);
