// Entries by key bytes: a std::unordered_map<std::string, V> keeps them
// (an entry stays where it is until it is erased), and lookups go through a
// flat open-addressed index of (hash, entry) pairs beside it. A lookup is
// one probe into a compact array and then the entry, where the map alone
// walks its bucket array and a node chain; with many keys each of those
// steps is a cache miss.
#ifndef ZORVEX_SRC_ENGINE_KEY_MAP_H
#define ZORVEX_SRC_ENGINE_KEY_MAP_H

#include <cstddef>
#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace ZORVEX::engine {

template <class V>
class KeyMap {
public:
    using Map = std::unordered_map<std::string, V>;
    using iterator = typename Map::iterator;
    using const_iterator = typename Map::const_iterator;
    using node_type = typename Map::node_type;
    using value_type = typename Map::value_type;  // (key, V)

    iterator begin() noexcept { return map_.begin(); }
    iterator end() noexcept { return map_.end(); }
    const_iterator begin() const noexcept { return map_.begin(); }
    const_iterator end() const noexcept { return map_.end(); }
    size_t size() const noexcept { return map_.size(); }

    // The entry of `key`, or null. A few entries are compared one by one
    // (as the map does itself for a few), which costs less than the hash.
    value_type* find(const std::string& key) const noexcept {
        if (map_.size() <= kFew) {
            for (auto& entry : const_cast<Map&>(map_))
                if (entry.first == key) return &entry;
            return nullptr;
        }
        const size_t slot = find_slot(key, hash_of(key));
        return slot == npos ? nullptr : slots_[slot].entry;
    }

    // Room for n entries in all, so that inserting up to that many fails
    // only should the entry itself fail to be made.
    void reserve(size_t n) {
        if (n >= map_.bucket_count() * map_.max_load_factor()) map_.reserve(n * 2);
        if (n * 2 > slots_.size()) grow(n);
    }

    // As the map's: nothing changes if it throws.
    template <class... Args>
    std::pair<value_type*, bool> try_emplace(const std::string& key, Args&&... args) {
        const size_t hash = hash_of(key);
        if (const size_t slot = find_slot(key, hash); slot != npos) return {slots_[slot].entry, false};
        reserve(map_.size() + 1);
        value_type& entry = *map_.try_emplace(key, std::forward<Args>(args)...).first;
        index(hash, &entry);
        return {&entry, true};
    }

    // An entry made elsewhere (extracted from a Map), within reserved room.
    value_type& insert(node_type&& node) noexcept {
        value_type& entry = *map_.insert(std::move(node)).position;
        index(hash_of(entry.first), &entry);
        return entry;
    }

    void erase(value_type& entry) noexcept {
        unindex(find_slot(entry.first, hash_of(entry.first)));
        map_.erase(map_.find(entry.first));
    }

    // Everything goes, the room made for it too.
    void clear() noexcept {
        Map().swap(map_);
        std::vector<Slot>().swap(slots_);
    }

private:
    static constexpr size_t npos = ~size_t(0);
    static constexpr size_t kFew = 8;
    struct Slot {
        size_t hash = 0;  // 0: empty
        value_type* entry = nullptr;  // entries keep their address, iterators not
    };

    // Never 0, which marks an empty slot.
    static size_t hash_of(const std::string& key) noexcept {
        const size_t h = std::hash<std::string>{}(key);
        return h != 0 ? h : 1;
    }

    size_t find_slot(const std::string& key, size_t hash) const noexcept {
        if (slots_.empty()) return npos;
        const size_t mask = slots_.size() - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot& s = slots_[i];
            if (s.hash == 0) return npos;
            if (s.hash == hash && s.entry->first == key) return i;
        }
    }

    // Linear probing at most half full: a probe ends soon at an empty slot.
    void index(size_t hash, value_type* entry) noexcept {
        const size_t mask = slots_.size() - 1;
        size_t i = hash & mask;
        while (slots_[i].hash != 0) i = (i + 1) & mask;
        slots_[i] = Slot{hash, entry};
    }

    // Takes slot i out, moving up each later slot of the run that would no
    // longer be found past the gap.
    void unindex(size_t i) noexcept {
        const size_t mask = slots_.size() - 1;
        for (size_t j = (i + 1) & mask; slots_[j].hash != 0; j = (j + 1) & mask) {
            const size_t home = slots_[j].hash & mask;
            // j's entry may fill the gap at i unless its home lies in (i, j].
            const bool home_after_gap = i <= j ? (i < home && home <= j) : (i < home || home <= j);
            if (!home_after_gap) {
                slots_[i] = slots_[j];
                i = j;
            }
        }
        slots_[i] = Slot{};
    }

    void grow(size_t n) {
        size_t capacity = 16;
        while (capacity < n * 2) capacity *= 2;
        std::vector<Slot> old(capacity);
        old.swap(slots_);
        for (const Slot& s : old)
            if (s.hash != 0) index(s.hash, s.entry);
    }

    Map map_;
    std::vector<Slot> slots_;  // a power of two of them, or none
};

}  // namespace ZORVEX::engine

#endif
