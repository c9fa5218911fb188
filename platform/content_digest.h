// A digest of a file's bytes, taken while they are copied, so that a copy
// can be checked again later without its source.
#pragma once

#include <cstddef>
#include <cstdint>

// The length and a 128-bit hash of a run of bytes. Bytes that differ (another
// file's, a worn cell's) give the same digest only by a chance below 2^-64:
// it guards against a medium that returns other bytes, not against bytes
// made to collide.
struct ContentDigest {
    uint64_t Length;
    uint64_t Hash[2];
};

bool SameDigest(const ContentDigest& a, const ContentDigest& b);

// A digest being taken; bytes are added in pieces of any size.
struct DigestState {
    uint64_t Lanes[4];
    uint64_t Length;
    unsigned char Pending[32];
    size_t PendingSize;
};

void StartDigest(DigestState* state);
void AddToDigest(DigestState* state, const void* data, size_t size);
ContentDigest FinishDigest(const DigestState& state);
