// A digest of a file's bytes, taken while they are copied, so that a copy
// can be checked again later without its source.
#pragma once

#include <cstddef>
#include <cstdint>

// The length and the 128-bit XXH3 hash of a run of bytes. XXH3-128 has no
// known structured collisions: bytes that differ by chance (another file's, a
// worn cell's, a block written over another) give the same hash only by a
// chance of about 2^-128. It is not a cryptographic hash: it guards against a
// medium that returns other bytes, not against bytes made to collide.
struct ContentDigest {
    uint64_t Length;
    uint64_t Hash[2];
};

bool SameDigest(const ContentDigest& a, const ContentDigest& b);

// A digest being taken; bytes are added in pieces of any size. The hash's
// own streaming state lives in State, whose layout only content_digest.cpp
// knows.
struct DigestState {
    alignas(64) unsigned char State[640];
    uint64_t Length;
};

void StartDigest(DigestState* state);
void AddToDigest(DigestState* state, const void* data, size_t size);
ContentDigest FinishDigest(const DigestState& state);
