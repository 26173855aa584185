// Memory that a reader's pool keeps after a burst goes back once the reader
// has been idle a while, even when no write comes to notice it: a pool that
// keeps more blocks than its floor is watched by one background thread of
// the engine, which looks at it about once a second and lets it count each
// second in which it took no block as a second without work. After two such
// seconds the pool keeps its floor again. The thread starts with the first
// pool that grows past its floor and then sleeps while none does.
#ifndef ZORVEX_SRC_ENGINE_POOL_SWEEPER_H
#define ZORVEX_SRC_ENGINE_POOL_SWEEPER_H

namespace ZORVEX::engine {

class BlockPool;

namespace sweeper {

// Under the engine lock: `pool` keeps more than its floor.
void watch(BlockPool& pool) noexcept;
// Under the engine lock: `pool` goes, or keeps its floor again.
void forget(BlockPool& pool) noexcept;

}  // namespace sweeper

}  // namespace ZORVEX::engine

#endif
