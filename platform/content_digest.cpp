#include "platform/content_digest.h"

#include <cstring>

namespace {

// Odd constants, so that multiplying by them loses no bit.
const uint64_t kGolden = 0x9E3779B97F4A7C15ull;
const uint64_t kWordFactor = 0xD6E8FEB86659FD93ull;
const uint64_t kLaneSeeds[4] = {0x243F6A8885A308D3ull, 0x13198A2E03707344ull, 0xA4093822299F31D0ull,
                                0x082EFA98EC4E6C89ull};
const size_t kStripe = sizeof(DigestState::Pending);

uint64_t Rotate(uint64_t value, int bits)
{
    return (value << bits) | (value >> (64 - bits));
}

// One word into a lane. For a given lane every word gives another result,
// and for a given word every lane does, so a lane that took a different word
// stays different. One multiplication per word: the digest costs less than
// reading the bytes.
uint64_t MixWord(uint64_t lane, uint64_t word)
{
    return Rotate((lane ^ word) * kWordFactor, 29);
}

// Spreads every bit of the value over all bits of the result.
uint64_t Avalanche(uint64_t value)
{
    value ^= value >> 33;
    value *= 0xFF51AFD7ED558CCDull;
    value ^= value >> 33;
    value *= 0xC4CEB9FE1A85EC53ull;
    return value ^ (value >> 33);
}

// Four independent lanes of one word each, which the processor works on at
// once.
void AddStripes(uint64_t (&lanes)[4], const unsigned char* bytes, size_t stripes)
{
    uint64_t a = lanes[0], b = lanes[1], c = lanes[2], d = lanes[3];
    for (; stripes > 0; --stripes, bytes += kStripe) {
        uint64_t words[4];
        memcpy(words, bytes, sizeof words);
        a = MixWord(a, words[0]);
        b = MixWord(b, words[1]);
        c = MixWord(c, words[2]);
        d = MixWord(d, words[3]);
    }
    lanes[0] = a;
    lanes[1] = b;
    lanes[2] = c;
    lanes[3] = d;
}

} // namespace

bool SameDigest(const ContentDigest& a, const ContentDigest& b)
{
    return a.Length == b.Length && a.Hash[0] == b.Hash[0] && a.Hash[1] == b.Hash[1];
}

void StartDigest(DigestState* state)
{
    memcpy(state->Lanes, kLaneSeeds, sizeof state->Lanes);
    state->Length = 0;
    state->PendingSize = 0;
}

void AddToDigest(DigestState* state, const void* data, size_t size)
{
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    state->Length += size;
    if (state->PendingSize > 0) {
        size_t taken = kStripe - state->PendingSize < size ? kStripe - state->PendingSize : size;
        memcpy(state->Pending + state->PendingSize, bytes, taken);
        state->PendingSize += taken;
        bytes += taken;
        size -= taken;
        if (state->PendingSize < kStripe)
            return;
        AddStripes(state->Lanes, state->Pending, 1);
        state->PendingSize = 0;
    }
    AddStripes(state->Lanes, bytes, size / kStripe);
    state->PendingSize = size % kStripe;
    memcpy(state->Pending, bytes + size - state->PendingSize, state->PendingSize);
}

ContentDigest FinishDigest(const DigestState& state)
{
    uint64_t lanes[4];
    memcpy(lanes, state.Lanes, sizeof lanes);
    // The last piece padded with zeros; the length tells it from real zeros.
    if (state.PendingSize > 0) {
        unsigned char last[kStripe] = {};
        memcpy(last, state.Pending, state.PendingSize);
        AddStripes(lanes, last, 1);
    }
    uint64_t low = Avalanche(lanes[0] ^ Avalanche(lanes[1] + state.Length));
    uint64_t high = Avalanche(lanes[2] ^ Avalanche(lanes[3] + state.Length * kGolden));
    return {state.Length, {Avalanche(low + high * kWordFactor), Avalanche(high + low * kGolden)}};
}
