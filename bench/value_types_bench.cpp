// What the value types cost over the standard containers they wrap. Each
// pair runs the library's flat function and the standard operation on the
// same object, in alternating batches (interleave.h).
#include <cstdint>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

#include "interleave.h"
#include "quillmarc/dds_c.h"

namespace {

// The standard operations behind a call the compiler cannot inline, as a C
// caller meets every flat function: the third member of these pairs
// separates the price of the call itself from anything the library adds.
// noipa keeps the compiler from specialising the function for its one
// caller (constant arguments, the vector's pointers passed in registers),
// which a library cannot do.
#define OUT_OF_LINE __attribute__((noinline, noipa))
OUT_OF_LINE void std_append(std::string& s, const char* text) { s.append(text); }
OUT_OF_LINE void std_push_back(std::vector<int>& v, int x) { v.push_back(x); }
OUT_OF_LINE int* std_at(std::vector<int>& v, size_t i) { return &v.at(i); }
template <class M>
OUT_OF_LINE typename M::mapped_type* std_find(M& m, typename M::key_type const& key) {
  auto it = m.find(key);
  return it == m.end() ? nullptr : &it->second;
}
template <class M>
OUT_OF_LINE void std_erase(M& m, typename M::key_type const& key) {
  m.erase(key);
}
template <class M>
OUT_OF_LINE void std_insert(M& m, typename M::key_type const& key, typename M::mapped_type const& value) {
  m.insert_or_assign(key, value);
}
template <class Inner>
OUT_OF_LINE void std_new_delete() {
  Inner* made = new Inner();
  benchmark::DoNotOptimize(made);  // or the pair is elided
  delete made;
}

// An object made by _create and released by _destroy, which reach the class
// only through its exported constructor and destructor; beside it the same
// through new and delete in C++, and the bare inner container.
template <class Object, class Inner, Object* (*Create)(), void (*Destroy)(Object*)>
void CreateDestroy(benchmark::State& state) {
  bench::interleave(
      state, 256, bench::nothing, [] { Destroy(Create()); }, [] { delete new Object(); },
      [] { std_new_delete<Inner>(); });
}

// Appends of 16 bytes, the string emptied every 256 appends.
void StringAppendCstr(benchmark::State& state) {
  DDS_CString* s = DDSCString_create();
  std::string& inner = *s;
  const char* volatile text = "sixteen bytes...";
  int n = 0;
  auto every_256 = [&] {
    if (++n == 256) inner.clear(), n = 0;
  };
  bench::interleave(
      state, 256, bench::nothing,
      [&] {
        DDSCString_append_cstr(s, text);
        every_256();
      },
      [&] {
        inner.append(text);
        every_256();
      },
      [&] {
        std_append(inner, text);
        every_256();
      });
  DDSCString_destroy(s);
}

// Appends into reserved room, the sequence emptied every 1024 appends.
void LongSequencePushBackValue(benchmark::State& state) {
  DDS_LongSequence* q = DDS_LongSequence_create();
  std::vector<int>& inner = *q;
  inner.reserve(1024);
  int n = 0;
  auto every_1024 = [&] {
    if (++n == 1024) inner.clear(), n = 0;
  };
  bench::interleave(
      state, 1024, bench::nothing,
      [&] {
        DDS_LongSequence_push_back_value(q, 7);
        every_1024();
      },
      [&] {
        inner.push_back(7);
        every_1024();
      },
      [&] {
        std_push_back(inner, 7);
        every_1024();
      });
  DDS_LongSequence_destroy(q);
}

void LongSequenceAt(benchmark::State& state) {
  DDS_LongSequence* q = DDS_LongSequence_create_with_size(1024);
  std::vector<int>& inner = *q;
  size_t i = 0;
  bench::interleave(
      state, 1024, bench::nothing,
      [&] {
        benchmark::DoNotOptimize(*DDS_LongSequence_at(q, i));
        i = (i + 1) & 1023;
      },
      [&] {
        benchmark::DoNotOptimize(inner.at(i));
        i = (i + 1) & 1023;
      },
      [&] {
        benchmark::DoNotOptimize(*std_at(inner, i));
        i = (i + 1) & 1023;
      });
  DDS_LongSequence_destroy(q);
}

// Map pairs: K is the key, A the map type's functions; keys are made once up
// front.
template <class K>
K key_of(long i) {
  if constexpr (std::is_same_v<K, DDS_CString>)
    return DDS_CString(std::string("key-") + std::to_string(i * 7919 % 1000003));
  else
    return static_cast<K>(i * 7919 % 1000003);
}

#define MAP_API(Map)                               \
  struct Map##Api {                                \
    using Type = Map;                              \
    static constexpr auto create = Map##_create;   \
    static constexpr auto destroy = Map##_destroy; \
    static constexpr auto insert = Map##_insert;   \
    static constexpr auto erase = Map##_erase;     \
    static constexpr auto find = Map##_find;       \
    static constexpr auto index = Map##_index;     \
  };
MAP_API(DDS_LongDDS_LongMap)
MAP_API(DDS_DoubleDDS_LongMap)
MAP_API(DDS_CStringDDS_LongMap)

template <class A, class K>
struct FilledMap {
  explicit FilledMap(long n) : map(A::create()) {
    for (long i = 0; i < n; ++i) keys.push_back(key_of<K>(i));
    for (long i = 0; i < n; ++i) {
      DDS_Long v = static_cast<DDS_Long>(i);
      A::insert(map, &keys[i], &v);
    }
  }
  ~FilledMap() { A::destroy(map); }
  FilledMap(const FilledMap&) = delete;
  FilledMap& operator=(const FilledMap&) = delete;
  std::map<K, DDS_Long>& inner() { return *map; }
  // The next key in turn, for one member of a pair.
  // A key drawn by a xorshift generator that each member of a pair keeps on
  // its own, all from the same seed: the same keys in the same order for
  // all, in an order that no branch predictor learns (a fixed cycle of a
  // thousand keys partly is learnt, differently at different addresses).
  const K& next(uint64_t& state) {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return keys[((state & 0xffffffffu) * keys.size()) >> 32];
  }
  typename A::Type* map;
  std::vector<K> keys;
};

template <class A, class K>
void MapFind(benchmark::State& state) {
  FilledMap<A, K> m(state.range(0));
  auto& inner = m.inner();
  uint64_t binding_turn = 1, direct_turn = 1, call_turn = 1;
  bench::interleave(
      state, 64, bench::nothing, [&] { benchmark::DoNotOptimize(A::find(m.map, &m.next(binding_turn))); },
      [&] {
        auto it = inner.find(m.next(direct_turn));
        benchmark::DoNotOptimize(it == inner.end() ? nullptr : &it->second);
      },
      [&] { benchmark::DoNotOptimize(std_find(inner, m.next(call_turn))); });
}

// Erase of a present key and its insertion again: the map stays at its
// size, and both calls do their whole work (no absent key to erase, no
// present key to assign).
template <class A, class K>
void MapInsertErase(benchmark::State& state) {
  FilledMap<A, K> m(state.range(0));
  auto& inner = m.inner();
  uint64_t binding_turn = 1, direct_turn = 1, call_turn = 1;
  const DDS_Long v = 1;
  bench::interleave(
      state, 32, bench::nothing,
      [&] {
        const K& key = m.next(binding_turn);
        A::erase(m.map, &key);
        A::insert(m.map, &key, &v);
      },
      [&] {
        const K& key = m.next(direct_turn);
        inner.erase(key);
        inner.insert_or_assign(key, v);
      },
      [&] {
        const K& key = m.next(call_turn);
        std_erase(inner, key);
        std_insert(inner, key, v);
      });
}

// Visiting every entry: _index walks from the first entry each time, so the
// whole visit is quadratic; iteration is linear.
// The iteration's batches hold n/2 visits, so that both members' batches
// take about as long.
template <class A, class K>
void MapVisitAll(benchmark::State& state) {
  FilledMap<A, K> m(state.range(0));
  bench::interleave(
      state, {1, static_cast<int>(state.range(0) / 2)}, bench::nothing,
      [&] {
        K const* key;
        DDS_Long* value;
        long sum = 0;
        for (DDS_ULong i = 0; A::index(m.map, i, &key, &value); ++i) sum += *value;
        benchmark::DoNotOptimize(sum);
      },
      [&] {
        long sum = 0;
        for (auto const& entry : m.inner()) sum += entry.second;
        benchmark::DoNotOptimize(sum);
      });
}

// A visit of 1000 entries through _index takes milliseconds: its pairs get
// more time, so that enough rounds run for a steady median.
#define MAP_PAIRS(Label, Api, K)                                                                    \
  BENCHMARK(MapFind<Api, K>)->Name("MapFind<" #Label ">")->Arg(1000)->Arg(100000);               \
  BENCHMARK(MapInsertErase<Api, K>)->Name("MapInsertErase<" #Label ">")->Arg(1000)->Arg(100000); \
  BENCHMARK(MapVisitAll<Api, K>)->Name("MapVisitAll<" #Label ">")->Arg(100)->Arg(1000)->MinTime(0.25);

}  // namespace

BENCHMARK(CreateDestroy<DDS_CString, std::string, DDSCString_create, DDSCString_destroy>)
    ->Name("CreateDestroy<CString>");
BENCHMARK(CreateDestroy<DDS_LongSequence, std::vector<int>, DDS_LongSequence_create, DDS_LongSequence_destroy>)
    ->Name("CreateDestroy<LongSequence>");
BENCHMARK(CreateDestroy<DDS_LongDDS_LongMap, std::map<DDS_Long, DDS_Long>, DDS_LongDDS_LongMap_create,
                        DDS_LongDDS_LongMap_destroy>)
    ->Name("CreateDestroy<LongLongMap>");
BENCHMARK(StringAppendCstr);
BENCHMARK(LongSequencePushBackValue);
BENCHMARK(LongSequenceAt);
MAP_PAIRS(Long, DDS_LongDDS_LongMapApi, DDS_Long)
MAP_PAIRS(Double, DDS_DoubleDDS_LongMapApi, DDS_Double)
MAP_PAIRS(CString, DDS_CStringDDS_LongMapApi, DDS_CString)

BENCHMARK_MAIN();
