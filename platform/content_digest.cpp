#include "platform/content_digest.h"

// The xxHash library, used header-only: its functions are compiled here,
// static to this file.
#define XXH_INLINE_ALL
#include <xxhash.h>

namespace {

static_assert(sizeof(XXH3_state_t) <= sizeof(DigestState::State),
              "DigestState::State cannot hold the XXH3 streaming state");
static_assert(alignof(XXH3_state_t) <= alignof(DigestState),
              "DigestState is not aligned as the XXH3 streaming state needs");

XXH3_state_t* HashState(DigestState* state)
{
    return reinterpret_cast<XXH3_state_t*>(state->State);
}

const XXH3_state_t* HashState(const DigestState& state)
{
    return reinterpret_cast<const XXH3_state_t*>(state.State);
}

} // namespace

bool SameDigest(const ContentDigest& a, const ContentDigest& b)
{
    return a.Length == b.Length && a.Hash[0] == b.Hash[0] && a.Hash[1] == b.Hash[1];
}

void StartDigest(DigestState* state)
{
    // Without a seed or a secret of its own, the reset cannot fail.
    XXH3_128bits_reset(HashState(state));
    state->Length = 0;
}

void AddToDigest(DigestState* state, const void* data, size_t size)
{
    XXH3_128bits_update(HashState(state), data, size);
    state->Length += size;
}

ContentDigest FinishDigest(const DigestState& state)
{
    XXH128_hash_t hash = XXH3_128bits_digest(HashState(state));
    return {state.Length, {hash.low64, hash.high64}};
}
