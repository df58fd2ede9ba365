#include "link/WakeUp.h"

QByteArray MakeWakeUp(int n, const std::function<int(int bound)>& random) {
    const char letter = (n >= 1 && n <= 9) ? char(0x60 + n) : char(0x65 + random(5));
    return QByteArrayLiteral("PROGRAM") + letter;
}
