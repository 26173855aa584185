// What the value types cost over the standard containers they wrap. Each
// pair runs the library's flat function and the standard operation on the
// same object; the names end in /binding and /direct.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

#include "quillmarc/dds_c.h"

namespace {

// The standard operations behind a call the compiler cannot inline, as a C
// caller meets every flat function: the /call variants separate the price of
// the call itself from anything the library adds. noipa keeps the compiler
// from specialising the function for its one caller (constant arguments,
// the vector's pointers passed in registers), which a library cannot do.
#define OUT_OF_LINE __attribute__((noinline, noipa))
OUT_OF_LINE void std_append(std::string& s, const char* text) { s.append(text); }
OUT_OF_LINE void std_push_back(std::vector<int>& v, int x) { v.push_back(x); }
OUT_OF_LINE int* std_at(std::vector<int>& v, size_t i) { return &v.at(i); }

void StringAppend_binding(benchmark::State& state) {
  DDS_CString* s = DDSCString_create();
  int n = 0;
  for (auto _ : state) {
    DDSCString_append_cstr(s, "sixteen bytes...");
    if (++n == 256) DDSCString_clear(s), n = 0;
  }
  DDSCString_destroy(s);
}
void StringAppend_direct(benchmark::State& state) {
  DDS_CString* s = DDSCString_create();
  std::string& inner = *s;
  int n = 0;
  for (auto _ : state) {
    inner.append("sixteen bytes...");
    if (++n == 256) inner.clear(), n = 0;
  }
  DDSCString_destroy(s);
}

void StringAppend_call(benchmark::State& state) {
  DDS_CString* s = DDSCString_create();
  std::string& inner = *s;
  const char* volatile text = "sixteen bytes...";
  int n = 0;
  for (auto _ : state) {
    std_append(inner, text);
    if (++n == 256) inner.clear(), n = 0;
  }
  DDSCString_destroy(s);
}

void SequencePushBack_binding(benchmark::State& state) {
  DDS_LongSequence* q = DDS_LongSequence_create();
  DDS_LongSequence_reserve(q, 1024);
  int n = 0;
  for (auto _ : state) {
    DDS_LongSequence_push_back_value(q, 7);
    if (++n == 1024) DDS_LongSequence_clear(q), n = 0;
  }
  DDS_LongSequence_destroy(q);
}
void SequencePushBack_direct(benchmark::State& state) {
  DDS_LongSequence* q = DDS_LongSequence_create();
  std::vector<int>& inner = *q;
  inner.reserve(1024);
  int n = 0;
  for (auto _ : state) {
    inner.push_back(7);
    if (++n == 1024) inner.clear(), n = 0;
  }
  DDS_LongSequence_destroy(q);
}

void SequencePushBack_call(benchmark::State& state) {
  DDS_LongSequence* q = DDS_LongSequence_create();
  std::vector<int>& inner = *q;
  inner.reserve(1024);
  int n = 0;
  for (auto _ : state) {
    std_push_back(inner, 7);
    if (++n == 1024) inner.clear(), n = 0;
  }
  DDS_LongSequence_destroy(q);
}

void SequenceAt_binding(benchmark::State& state) {
  DDS_LongSequence* q = DDS_LongSequence_create_with_size(1024);
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(*DDS_LongSequence_at(q, i));
    i = (i + 1) & 1023;
  }
  DDS_LongSequence_destroy(q);
}
void SequenceAt_direct(benchmark::State& state) {
  DDS_LongSequence* q = DDS_LongSequence_create_with_size(1024);
  std::vector<int>& inner = *q;
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(inner.at(i));
    i = (i + 1) & 1023;
  }
  DDS_LongSequence_destroy(q);
}

void SequenceAt_call(benchmark::State& state) {
  DDS_LongSequence* q = DDS_LongSequence_create_with_size(1024);
  std::vector<int>& inner = *q;
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(*std_at(inner, i));
    i = (i + 1) & 1023;
  }
  DDS_LongSequence_destroy(q);
}

// Map pairs: K is the key, Map the map type; keys are made once up front.
template <class K>
K key_of(long i) {
  if constexpr (std::is_same_v<K, DDS_CString>)
    return DDS_CString(std::string("key-") + std::to_string(i * 7919 % 1000003));
  else
    return static_cast<K>(i * 7919 % 1000003);
}

#define MAP_API(Map)                                                \
  struct Map##Api {                                                 \
    using Type = Map;                                               \
    static constexpr auto create = Map##_create;                    \
    static constexpr auto destroy = Map##_destroy;                  \
    static constexpr auto insert = Map##_insert;                    \
    static constexpr auto erase = Map##_erase;                      \
    static constexpr auto find = Map##_find;                        \
    static constexpr auto index = Map##_index;                      \
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
  std::map<K, DDS_Long>& inner() { return *map; }
  typename A::Type* map;
  std::vector<K> keys;
};

template <class A, class K>
void MapFind_binding(benchmark::State& state) {
  FilledMap<A, K> m(state.range(0));
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(A::find(m.map, &m.keys[i]));
    if (++i == m.keys.size()) i = 0;
  }
}
template <class A, class K>
void MapFind_direct(benchmark::State& state) {
  FilledMap<A, K> m(state.range(0));
  auto& inner = m.inner();
  size_t i = 0;
  for (auto _ : state) {
    auto it = inner.find(m.keys[i]);
    benchmark::DoNotOptimize(it == inner.end() ? nullptr : &it->second);
    if (++i == m.keys.size()) i = 0;
  }
}

// Erase of a present key and its insertion again: the map stays at its
// size, and both calls do their whole work (no absent key to erase, no
// present key to assign).
template <class A, class K>
void MapInsertErase_binding(benchmark::State& state) {
  FilledMap<A, K> m(state.range(0));
  size_t i = 0;
  DDS_Long v = 1;
  for (auto _ : state) {
    A::erase(m.map, &m.keys[i]);
    A::insert(m.map, &m.keys[i], &v);
    if (++i == m.keys.size()) i = 0;
  }
}
template <class A, class K>
void MapInsertErase_direct(benchmark::State& state) {
  FilledMap<A, K> m(state.range(0));
  auto& inner = m.inner();
  size_t i = 0;
  DDS_Long v = 1;
  for (auto _ : state) {
    inner.erase(m.keys[i]);
    inner.insert_or_assign(m.keys[i], v);
    if (++i == m.keys.size()) i = 0;
  }
}

// Visiting every entry: _index walks from the first entry each time, so the
// whole visit is quadratic; iteration is linear.
template <class A, class K>
void MapVisitAll_binding(benchmark::State& state) {
  FilledMap<A, K> m(state.range(0));
  for (auto _ : state) {
    K const* key;
    DDS_Long* value;
    long sum = 0;
    for (DDS_ULong i = 0; A::index(m.map, i, &key, &value); ++i) sum += *value;
    benchmark::DoNotOptimize(sum);
  }
  state.SetComplexityN(state.range(0));
}
template <class A, class K>
void MapVisitAll_direct(benchmark::State& state) {
  FilledMap<A, K> m(state.range(0));
  for (auto _ : state) {
    long sum = 0;
    for (auto const& entry : m.inner()) sum += entry.second;
    benchmark::DoNotOptimize(sum);
  }
  state.SetComplexityN(state.range(0));
}

#define MAP_PAIRS(Label, Api, K)                                                         \
  BENCHMARK(MapFind_binding<Api, K>)->Name("MapFind<" #Label ">/binding")->Arg(1000)->Arg(100000);  \
  BENCHMARK(MapFind_direct<Api, K>)->Name("MapFind<" #Label ">/direct")->Arg(1000)->Arg(100000);    \
  BENCHMARK(MapInsertErase_binding<Api, K>)->Name("MapInsertErase<" #Label ">/binding")->Arg(1000)->Arg(100000); \
  BENCHMARK(MapInsertErase_direct<Api, K>)->Name("MapInsertErase<" #Label ">/direct")->Arg(1000)->Arg(100000);   \
  BENCHMARK(MapVisitAll_binding<Api, K>)->Name("MapVisitAll<" #Label ">/binding")->Arg(1000);        \
  BENCHMARK(MapVisitAll_direct<Api, K>)->Name("MapVisitAll<" #Label ">/direct")->Arg(1000);

}  // namespace

BENCHMARK(StringAppend_binding)->Name("StringAppendCstr/binding");
BENCHMARK(StringAppend_direct)->Name("StringAppendCstr/direct");
BENCHMARK(StringAppend_call)->Name("StringAppendCstr/call");
BENCHMARK(SequencePushBack_binding)->Name("LongSequencePushBackValue/binding");
BENCHMARK(SequencePushBack_direct)->Name("LongSequencePushBackValue/direct");
BENCHMARK(SequencePushBack_call)->Name("LongSequencePushBackValue/call");
BENCHMARK(SequenceAt_binding)->Name("LongSequenceAt/binding");
BENCHMARK(SequenceAt_direct)->Name("LongSequenceAt/direct");
BENCHMARK(SequenceAt_call)->Name("LongSequenceAt/call");
MAP_PAIRS(Long, DDS_LongDDS_LongMapApi, DDS_Long)
MAP_PAIRS(Double, DDS_DoubleDDS_LongMapApi, DDS_Double)
MAP_PAIRS(CString, DDS_CStringDDS_LongMapApi, DDS_CString)

BENCHMARK_MAIN();
