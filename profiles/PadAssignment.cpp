// The choice of a record for each arriving pad.
#include "profiles/PadAssignment.h"

#include <cassert>
#include <string>

namespace {

// The first free record, from the lowest ID up, that `wanted` accepts; -1 when none does.
template <typename Predicate>
int LowestFree(uint32_t freeRecords, Predicate wanted) {
    for (int record = 0; record < ConfigurationRecordCount; ++record) {
        if (HasBit(freeRecords, record) && wanted(record)) return record;
    }
    return -1;
}

int ChooseRecord(const DeviceKeys& remembered, uint32_t freeRecords, int id,
                 const std::string& key) {
    // Its own ID's record, when it remembers this pad or no pad: a pad without a key stays by ID,
    // and so does every pad while the file remembers nobody.
    if (HasBit(freeRecords, id) && (remembered[id] == key || remembered[id].empty())) return id;
    int record = -1;
    if (!key.empty()) record = LowestFree(freeRecords, [&](int r) { return remembered[r] == key; });
    // The own ID's record, had it remembered no key, was taken above.
    if (record < 0) record = LowestFree(freeRecords, [&](int r) { return remembered[r].empty(); });
    if (record < 0 && HasBit(freeRecords, id)) record = id;
    if (record < 0) record = LowestFree(freeRecords, [](int) { return true; });
    return record;
}

}  // namespace

RecordLayout SeatPads(const DeviceKeys& remembered, uint16_t staying, uint16_t arriving,
                      const DeviceKeys& padKeys) {
    assert((staying & arriving) == 0);
    RecordLayout layout{};
    uint32_t freeRecords = 0xFFFFu & ~uint32_t{staying};
    for (int id = 0; id < ConfigurationRecordCount; ++id) {
        if (HasBit(staying, id)) layout[id] = static_cast<uint8_t>(id);
        if (!HasBit(arriving, id)) continue;
        // There are always as many free records as IDs without a staying pad.
        const int record = ChooseRecord(remembered, freeRecords, id, padKeys[id]);
        layout[id] = static_cast<uint8_t>(record);
        freeRecords &= ~(1u << record);
    }
    int next = 0;
    for (int id = 0; id < ConfigurationRecordCount; ++id) {
        if (HasBit(staying | arriving, id)) continue;
        while (!HasBit(freeRecords, next)) ++next;
        layout[id] = static_cast<uint8_t>(next++);
    }
    return layout;
}
