// Which record of Quorvel.cfg each arriving pad takes, by the device key the record remembers,
// and where the records then sit: at every moment the record at ID i is the one the pad at ID i
// holds, so that the program keeps indexing by joystick ID.
#pragma once

#include <array>
#include <cstdint>

#include "profiles/ConfigurationFile.h"

// Whether bit `id` of a mask of joysticks is set.
constexpr bool HasBit(uint32_t mask, int id) { return (mask >> id) & 1u; }

// For each ID, the ID whose record now sits there.
using RecordLayout = std::array<uint8_t, ConfigurationRecordCount>;

// The pads of `staying` keep the records at their IDs. Each pad of `arriving` (disjoint from
// `staying`), in ascending ID order, takes a record no pad holds yet: its own ID's record when
// that remembers its key or no key; else, with a key, the lowest such record remembering its key;
// else the lowest one remembering no key; else its own ID's record if free, else the lowest free
// one. `remembered[i]` is the key the record at ID i remembers and `padKeys[id]` the key of the
// pad arriving at ID id (empty: none). Returns the layout after the arrivals: each pad's record at
// its ID, and the free records on the IDs without a pad, in ascending order of the IDs they had.
RecordLayout SeatPads(const DeviceKeys& remembered, uint16_t staying, uint16_t arriving,
                      const DeviceKeys& padKeys);
