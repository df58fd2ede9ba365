#pragma once

#include <QByteArray>
#include <functional>

// The wake-up frame that puts the radio into programming mode: "PROGRAM" and a letter, 'a' to 'i'
// for n = 1 to 9, otherwise a random one of 'e' to 'i'. random(bound) gives a number from 0 to
// bound - 1.
QByteArray MakeWakeUp(int n, const std::function<int(int bound)>& random);
