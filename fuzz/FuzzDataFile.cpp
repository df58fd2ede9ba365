// Feeds arbitrary bytes to opening a data file, then reads every channel and builds every text
// the channel list and the radio information show.

#include "core/All.h"
#include "core/Channel.h"
#include "core/ChannelRow.h"
#include "core/DataFile.h"
#include "core/ImageSetup.h"
#include "core/ChannelRecord.h"
#include "core/MacList.h"
#include "core/RadioInfo.h"

#include <QDateTime>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const TChannelRow row;
    TMacList models;
    TALL all;
    InitModelCatalogue(models, all);
    all.ModelCode = models.GetItem(0)->Code;
    BuildFirstImage(models, all, QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));

    // Short inputs are padded with the input's own bytes so that most runs reach the channels.
    QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    if (!bytes.isEmpty() && size < size_t(DataFileSize) && data[0] & 1) {
        QByteArray padded = QByteArray("PQX47QX47    \xff\xff\xff", FileHeaderSize);
        while (padded.size() < DataFileSize)
            padded += bytes;
        bytes = padded;
    }
    if (LoadDataImage(models, all, bytes) != TLoadResult::Accepted)
        return 0;
    TChannel channel;
    for (int k = 1; k <= all.ChannelCount; ++k)
        row.Cells(all, channel, k);
    for (int k : {VfoLow, VfoHigh})
        ReadChannel(all, k, channel);
    TRadioInfo info(all);
    return 0;
}
