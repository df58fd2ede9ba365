#pragma once

#include <QIODevice>

// A device that takes at most Capacity bytes, at most Chunk bytes per write, and then fails
// every write as a full disk would.
class TFailDevice : public QIODevice {
public:
    TFailDevice(qint64 capacity, qint64 chunk) : Capacity(capacity), Chunk(chunk) {
        open(QIODevice::WriteOnly);
    }
    QByteArray Taken;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (Taken.size() >= Capacity) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        const qint64 count = std::min({size, Chunk, Capacity - Taken.size()});
        Taken.append(data, count);
        return count;
    }

private:
    qint64 Capacity;
    qint64 Chunk;
};
