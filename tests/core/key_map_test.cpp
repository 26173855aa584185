// The key map against std::unordered_map: the same entries after any run of
// inserts and erases, which exercises the index's probing and its
// backward-shift removal, wrap-around at the end of the table included.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <unordered_map>

#include "engine/key_map.h"

namespace {

using ZORVEX::engine::KeyMap;

void expect_same(const KeyMap<int>& map, const std::unordered_map<std::string, int>& model, int key_range) {
    ASSERT_EQ(map.size(), model.size());
    for (int k = 0; k < key_range; ++k) {
        const std::string key = std::to_string(k);
        const auto* entry = map.find(key);
        const auto it = model.find(key);
        ASSERT_EQ(entry != nullptr, it != model.end()) << key;
        if (entry != nullptr) {
            EXPECT_EQ(entry->first, key);
            EXPECT_EQ(entry->second, it->second) << key;
        }
    }
}

TEST(KeyMap, FindsWhatAMapWouldAfterInsertsAndErasesInAnyOrder) {
    for (const int key_range : {6, 40, 3000}) {  // a few compared one by one, then the index
        KeyMap<int> map;
        std::unordered_map<std::string, int> model;
        std::mt19937 random(key_range);
        for (int step = 0; step < 20000; ++step) {
            const std::string key = std::to_string(random() % key_range);
            if (random() % 3 == 0) {
                if (auto* entry = map.find(key)) map.erase(*entry);
                model.erase(key);
            } else {
                const auto [entry, made] = map.try_emplace(key, step);
                const auto [it, model_made] = model.try_emplace(key, step);
                ASSERT_EQ(made, model_made);
                ASSERT_EQ(&*map.find(key), entry);  // stays where it was made
            }
            if (step % 997 == 0) expect_same(map, model, key_range);
        }
        expect_same(map, model, key_range);
        map.clear();
        EXPECT_EQ(map.size(), 0u);
        EXPECT_EQ(map.find("1"), nullptr);
    }
}

// Enough keys that a few pairs of them are likely to share the 32 bits of
// hash an index slot keeps, so that only the keys tell them apart.
TEST(KeyMap, EveryOneOfManyKeysIsFoundAndErasingHalfLeavesTheOtherHalf) {
    constexpr int keys = 200000;
    KeyMap<int> map;
    for (int k = 0; k < keys; ++k) ASSERT_TRUE(map.try_emplace(std::to_string(k), k).second);
    for (int k = 0; k < keys; ++k) ASSERT_EQ(map.find(std::to_string(k))->second, k);
    for (int k = 0; k < keys; k += 2) map.erase(*map.find(std::to_string(k)));
    ASSERT_EQ(map.size(), size_t(keys / 2));
    for (int k = 0; k < keys; ++k) {
        const auto* entry = map.find(std::to_string(k));
        ASSERT_EQ(entry != nullptr, k % 2 == 1) << k;
        if (entry != nullptr) {
            ASSERT_EQ(entry->second, k);
        }
    }
    for (int k = 0; k < keys; k += 2) ASSERT_TRUE(map.try_emplace(std::to_string(k), -k).second);  // numbers reused
    for (int k = 0; k < keys; ++k) ASSERT_EQ(map.find(std::to_string(k))->second, k % 2 == 1 ? k : -k);
}

TEST(KeyMap, AnEntryMovedInWithinReservedRoomIsFoundAndKeepsItsAddress) {
    KeyMap<int> map;
    KeyMap<int>::Map elsewhere;
    for (int k = 0; k < 100; ++k) elsewhere.try_emplace(std::to_string(k), k);
    map.reserve(100);
    for (int k = 0; k < 100; ++k) {
        auto node = elsewhere.extract(std::to_string(k));
        const int* value = &node.mapped();
        EXPECT_EQ(&map.insert(std::move(node)).second, value);
    }
    for (int k = 0; k < 100; ++k) EXPECT_EQ(map.find(std::to_string(k))->second, k);
}

}  // namespace
